// The fourteen built-in scanning routines, each from a given position with a
// given running length: what they answer, how far they move and what they
// add to the length.
#include "scheme/scan_routines.h"

#include <gtest/gtest.h>

#include <string>

namespace tarnwick {
namespace {

struct TRoutineCase {
    int routine;
    const char* text;
    int from;       // stream position on entry
    int length;     // running length on entry
    bool answer;
    int consumed;   // characters moved over (0 on a false answer)
};

TEST(ScanRoutines, AnswerAndExtent)
{
    const TRoutineCase cases[] = {
        // 0 _PASCAL_CHAR: one string character; '' counts as one; ' and CR end.
        {0, "a'", 0, 1, true, 1},
        {0, "''x", 0, 1, true, 2},
        {0, "'x", 0, 1, false, 0},
        {0, "\rx", 0, 1, false, 0},
        {0, "", 0, 1, false, 0},
        // 1 _WEB_CHAR: a run of URL characters, a trailing '.' given back.
        {1, "www.x.org/a?b=1&c#d. next", 0, 0, true, 19},
        {1, "a\\b|c~d_e:f@g-h", 0, 0, true, 15},
        {1, "x. ", 0, 0, true, 1},
        {1, ". ", 0, 0, false, 0},
        {1, " x", 0, 0, false, 0},
        // 2 _ORIGINAL_CHAR: the rest of the line, only for a token that
        // starts a line.
        {2, "abc\rd", 0, 0, true, 3},
        {2, "x\rabc\rd", 2, 0, true, 3},
        {2, "x\rabc\rd", 3, 1, true, 2},
        {2, "xabc", 1, 0, false, 0},
        {2, "xabc", 2, 1, false, 0},
        {2, "\r", 0, 0, true, 0},
        // 3 __STD_IDENTIFIER
        {3, "_a1b;", 0, 0, true, 4},
        {3, "Zz9", 0, 0, true, 3},
        {3, "9a", 0, 0, false, 0},
        {3, "\xE9t", 0, 0, false, 0},
        // 4 __STD_NUMBER_OR_FP
        {4, "12.5e3;", 0, 0, true, 6},
        {4, "12.5E-3", 0, 0, true, 7},
        {4, "1e+", 0, 0, true, 1},
        {4, "7..9", 0, 0, true, 1},
        {4, "7.x", 0, 0, true, 1},
        {4, "7.5.5", 0, 0, true, 3},
        {4, ".5", 0, 0, false, 0},
        // 5 __STD_PASCALSTRING
        {5, "'it''s' x", 0, 0, true, 7},
        {5, "'a\rb'", 0, 0, true, 2},
        {5, "'open", 0, 0, true, 5},
        {5, "''''", 0, 0, true, 4},
        // 6 __STD_C_STRING
        {6, "\"a\\\"b\" x", 0, 0, true, 6},
        {6, "\"a\rb\"", 0, 0, true, 2},
        {6, "\"a\\\rb\"", 0, 0, true, 6},
        {6, "\"a\\", 0, 0, true, 3},
        // 7 __STD_C_CHAR and 13 __STD_C_STRING_SQ: the same with '.
        {7, "'\\''x", 0, 0, true, 4},
        {7, "'a\"b'", 0, 0, true, 5},
        {13, "'\\''x", 0, 0, true, 4},
        {13, "'ab\r'", 0, 0, true, 3},
        // 8 __STD_C_NUMBER_OR_FP_SIGNED
        {8, "-1.5e2", 0, 0, true, 6},
        {8, "+7", 0, 0, true, 2},
        {8, "42", 0, 0, true, 2},
        {8, "-x", 0, 0, false, 0},
        {8, "-", 0, 0, false, 0},
        {8, ".5", 0, 0, false, 0},
        // 9 __STD_NUMBER
        {9, "123.4", 0, 0, true, 3},
        {9, "x1", 0, 0, false, 0},
        // 10 __STD_MAIL_URL
        {10, "joe.doe@example.org. Bye", 0, 0, true, 19},
        {10, "a-b~c@d e", 0, 0, true, 7},
        {10, "example.org", 0, 0, false, 0},
        // 11 __STD_HTML_STRING: no escapes; an open string takes its CR.
        {11, "\"a\\\"b", 0, 0, true, 4},
        {11, "\"ab\rc\"", 0, 0, true, 4},
        {11, "\"ab", 0, 0, true, 3},
        // 12 __STD_JS_LINE_COMMENT: stops before the "-->" of a comment close.
        {12, "// x\ry", 0, 0, true, 4},
        {12, "// x -->", 0, 0, true, 5},
        {12, "// x ---->", 0, 0, true, 7},
        {12, "// a->b - c", 0, 0, true, 11},
        {12, "//--", 0, 0, true, 4},
        // Numbers outside the table select no routine.
        {14, "abc", 0, 0, false, 0},
        {-1, "abc", 0, 0, false, 0},
    };
    for (const TRoutineCase& c : cases) {
        const std::string text = c.text;
        TStringEdStream stream(text, c.from);
        int length = c.length;
        const bool answer = RunScanRoutine(c.routine, stream, length);
        const std::string where = "routine " + std::to_string(c.routine) + " on \"" + text +
                                  "\" from " + std::to_string(c.from);
        EXPECT_EQ(answer, c.answer) << where;
        EXPECT_EQ(stream.Position(), c.from + c.consumed) << where;
        EXPECT_EQ(length, c.length + c.consumed) << where;
    }
}

}  // namespace
}  // namespace tarnwick
