// Fails: key specifier required.
%%Keys
  caCUT ( [ctrl] )
