// Fails: include not enclosed.
#include colours.inc
