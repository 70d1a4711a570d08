// Fails: recursive include.
#include <error_recursive_include.scm>
