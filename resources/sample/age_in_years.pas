{ A person's age in whole years on a given day. }
function AgeOn(BirthDate, Day: TDateTime): Integer;
var
  BYear, BMonth, BDay, DYear, DMonth, DDay: Word;
begin
  DecodeDate(BirthDate, BYear, BMonth, BDay);
  DecodeDate(Day, DYear, DMonth, DDay);
  Result := DYear - BYear;
  if (DMonth < BMonth) or ((DMonth = BMonth) and (DDay < BDay)) then
    Dec(Result);
end;
