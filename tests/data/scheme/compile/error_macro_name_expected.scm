// Fails: macro name expected.
#define 9x 1
