{ Whole days from one date to another; negative when Later lies before
  Earlier. The time of day is ignored. }
function DaysFromTo(Earlier, Later: TDateTime): Integer;
begin
  Result := Trunc(Int(Later) - Int(Earlier));
end;
