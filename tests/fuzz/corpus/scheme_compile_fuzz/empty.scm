// Only comments and directives: the empty scheme.
/* nothing
   here */
#define UNUSED 1
#ifdef UNUSED
#endif
