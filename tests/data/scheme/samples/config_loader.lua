-- Loads an editor configuration written as a Lua table and checks it.
local M = {}

--[[ A long comment over several lines:
     the loader runs the file in an empty environment
     and copies only the known keys. ]]

--[==[ A long comment of level 2 that holds ]] and ]=] without ending. ]==]

local DEFAULTS <const> = {
  tab_width = 4,
  right_margin = 0x50,
  font_size = 10.5,
  scale = 2.5e-3,
  half = .5,
  big = 0xFFp4,
  colours = { background = 0xFFFFFF, text = 0x000000 },
}

local KNOWN = setmetatable({}, {
  __index = function(_, key) return DEFAULTS[key] ~= nil end,
  __call = function(self, key) return self[key] end,
})

-- Copies t deeply; tables only, no cycles.
local function copy(t)
  if type(t) ~= "table" then return t end
  local out = {}
  for k, v in pairs(t) do
    out[k] = copy(v)
  end
  return out
end

--- Reads and checks the file at path.
-- @param path string
-- @return table|nil, string|nil
function M.load(path)
  local chunk, err = loadfile(path, "t", {})
  if not chunk then
    return nil, ("cannot read %q: %s"):format(path, err)
  end
  local ok, result = pcall(chunk)
  if not ok or type(result) ~= 'table' then
    return nil, 'bad configuration in \'' .. path .. "'\n"
  end
  local config = copy(DEFAULTS)
  for key, value in pairs(result) do
    if KNOWN(key) then
      config[key] = value
    else
      io.stderr:write(string.format("unknown key %s\t(ignored)\n", tostring(key)))
    end
  end
  return config
end

function M.describe(config)
  local lines = {}
  for i = 1, #config.colours or 0, 1 do
    lines[#lines + 1] = tostring(i)
  end
  local help = [[
Keys: tab_width, right_margin, font_size.
A long string keeps "quotes" and \backslashes as written.]]
  local nested = [=[holds ]] inside]=]
  local deeper = [==[holds ]=] and ]] inside]==]
  local deepest = [===[level 3 holds ]==] and
]] over two lines]===]
  --[====[ a level 4 comment: ]===] does not end it ]====]
  local continued = "first line \
second line"
  return table.concat(lines, ", ") .. help .. nested .. deeper .. deepest .. continued
end

local Counter = {}
Counter.__index = Counter

function Counter.new(start)
  return setmetatable({ n = start or 0 }, Counter)
end

function Counter:step(by)
  self.n = self.n + (by or 1)
  if self.n > 100 then goto reset end
  do return self.n end
  ::reset::
  self.n = 0
  return self.n
end

local function bits(x)
  return (x & 0xF) | (x >> 4) ~ ~x, x // 2, x % 3, 2 ^ 10
end

local co = coroutine.wrap(function(...)
  local args = { ... }
  for _, v in ipairs(args) do coroutine.yield(v) end
end)

repeat
  local v = co(1, 2, 3)
until v == nil or v >= 3

while false do break end
print(bits(0x1F), Counter.new():step(), M.describe(DEFAULTS), nil, true, _VERSION)
return M
