// Fails: recursive macro.
#define A B
#define B A
%%Map A 1
