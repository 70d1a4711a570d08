// Fails: include cannot open.
#include <no_such_file.inc>
