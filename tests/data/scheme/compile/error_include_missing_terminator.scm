// Fails: include missing terminator.
#include <colours.inc
%%Map 1 1
