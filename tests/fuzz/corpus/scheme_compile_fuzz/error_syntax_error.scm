// Fails: syntax error.
%%Map 1 1
'stray'
