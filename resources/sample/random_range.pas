{ A random integer from Low to High, both included. Call Randomize once at
  start-up so that every run gives other numbers. }
function RandomBetween(Low, High: Integer): Integer;
begin
  Result := Low + Random(High - Low + 1);
end;
