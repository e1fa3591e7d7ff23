// Where the effects put things at a given local time.
#include "effects/circle_interference.h"
#include "effects/greetings_scroller.h"
#include "effects/greetings_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <regex>
#include <string>

namespace {

TEST(RingCentres, SwingRoundTheWindowCentreTruncatedTowardZero)
{
    struct Case {
        float t;
        int ax, ay, bx, by;
    } cases[] = {
        {0, 420, 240, 420, 240},
        {10, 445, 262, 449, 220},  // 30 sin(-10/13) = -20.87 gives -20
        {100, 404, 266, 449, 211},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ringCentreA(c.t).x, c.ax) << c.t;
        EXPECT_EQ(ringCentreA(c.t).y, c.ay) << c.t;
        EXPECT_EQ(ringCentreB(c.t).x, c.bx) << c.t;
        EXPECT_EQ(ringCentreB(c.t).y, c.by) << c.t;
    }
    for (float t = 0; t < 133.4f; t += 0.7f)
        for (RingCentre c : {ringCentreA(t), ringCentreB(t)})
            EXPECT_TRUE(std::abs(c.x - 420) <= 30 && std::abs(c.y - 240) <= 30) << t;
}

TEST(GreetingsScroller, PositionAdvancesInWholeCharacters)
{
    const std::pair<float, int> positions[] = {
        {0, 0},
        {1, 2},
        {100, 210},
        {200, 421},
        {21.3f, 44},
        {21.4f, 45},  // the message's first letter enters
        {266.666f, 561},
        {266.6666259765625f, 561},  // the span's last instant
        {-5, 0},
        {1000, int(GreetingsText.size()) - 1 - greetingsWindowChars},  // outside the span the window stays in the line
    };
    for (auto [t, p] : positions)
        EXPECT_EQ(greetingsScrollPosition(t), p) << t;
}

// 124 blanks, a message of 394 characters, 124 blanks; in the message the letters of a
// word stand one blank apart and words three; mostly lower case, some capitals, one digit.
TEST(GreetingsText, SpreadsTheMessageBetweenBlankMargins)
{
    const std::string line(GreetingsText.data());
    ASSERT_EQ(line.size(), 642u);
    EXPECT_EQ(line.find_first_not_of(' '), 124u);
    EXPECT_EQ(line.find_last_not_of(' '), 642u - 124u - 1u);
    const std::string message = line.substr(124, 394);
    EXPECT_TRUE(std::regex_match(message, std::regex("[^ ]+(( |   )[^ ]+)*"))) << message;
    auto count = [&](int (*is)(int)) {
        return std::count_if(message.begin(), message.end(), [&](unsigned char c) { return is(c) != 0; });
    };
    EXPECT_EQ(count(std::isdigit), 1);
    EXPECT_GT(count(std::isupper), 0);
    EXPECT_GT(count(std::islower), 5 * count(std::isupper));
}

}  // namespace
