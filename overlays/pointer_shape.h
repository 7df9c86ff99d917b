#pragma once
// Size table of the pointer highlight: window diameter and ring width by size index.

// Window width and height in pixels; 81 for any index outside the table, negative ones included.
int PointerDiameter(int sizeIndex);

// Inset of the inner ellipse of a ring: 5 at index 0, 10 at index 1, 15 otherwise.
int PointerRingInset(int sizeIndex);
