// Fails: duplicate handler.
%%Handlers
  1 'a' 'z' 0
  1 'b'
