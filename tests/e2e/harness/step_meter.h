#pragma once
// Measures what one step of the program's code costs in resources, inside the test program that
// hosts the program's window classes. The program's calls into the C runtime's allocator and
// into GDI, USER and GDI+ for objects go through this module's import table; the meter patches
// those entries, so it sees every such call made by the program's own code (the window classes,
// the framework and the statically linked C++ runtime) and none made inside the system's
// libraries. Only calls on the thread that started counting are counted.
#include <windows.h>

struct StepCounts {
    long allocations = 0;      // malloc, calloc, realloc, strdup (operator new ends in malloc)
    long objectsMade = 0;      // GDI objects, device contexts and GDI+ objects obtained
    long objectsReleased = 0;  // ... deleted, released, or handed to a window (its region)
};

namespace StepMeter {

// Patches the import table once; false if the allocator's entries were not found, in which
// case nothing can be counted.
bool Install();

// Counting runs from Start to Stop, on the calling thread only; Stop returns the counts since
// Start. Nothing here allocates, so a meter can wrap a step that must not allocate.
void Start();
StepCounts Stop();

// The process's kernel handles in the system's handle list (read in Wine's layout), or -1
// where it cannot be read. Not for use while counting: it allocates.
long KernelHandles();

}  // namespace StepMeter
