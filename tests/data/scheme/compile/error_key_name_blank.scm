// Fails: key name blank.
%%Keys
  caCUT ( [ctrl] 'X' ) ''
