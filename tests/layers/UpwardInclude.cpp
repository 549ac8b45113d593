// Compiled as part of a library of the catalogue engine, with a header of the library above it:
// the build must fail to find that header.
#include UPWARD_HEADER
