// Fails: key spec required.
%%Keys
  caCUT ( [ctrl] )
