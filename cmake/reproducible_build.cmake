# Flags of the release build that make its output depend on the source alone: two builds of the
# same commit, in any folders and at any time, give the same bytes.
# - Paths in debug information and in __FILE__ are written relative to the source tree (the
#   build folder last, as the more specific match, since the later map wins).
# - The program's header carries no link time.
add_compile_options(
    -ffile-prefix-map=${CMAKE_SOURCE_DIR}=.
    -ffile-prefix-map=${CMAKE_BINARY_DIR}=build
)
add_link_options(-Wl,--no-insert-timestamp)
