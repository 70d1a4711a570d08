{ A date and time as ISO 8601 text, such as 2024-03-09T14:05:00, whatever
  the user's regional settings are. }
function IsoDateTime(Value: TDateTime): string;
begin
  Result := FormatDateTime('yyyy"-"mm"-"dd"T"hh":"nn":"ss', Value);
end;
