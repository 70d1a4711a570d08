// Fails: ifdef without name.
#ifdef
#endif
