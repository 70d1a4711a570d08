// Fails: unknown character.
%%Map 1 1
# 2 2
