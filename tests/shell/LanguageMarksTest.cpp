// The check marks of the language menu: `LngSelect` by file name and `UncheckLanguages`.
#include <gtest/gtest.h>

#include "shell/MDIKVT3310.h"

namespace {

int markedItem(const MDIKVT3310& mdi) {
    int found = -2;
    for (int i = 0; i < MDIKVT3310::kLanguages; ++i) {
        if (mdi.LngSel[i].checked())
            found = found == -2 ? i : -3;
    }
    if (mdi.other.checked())
        found = found == -2 ? -1 : -3;
    return found;  // -1 other, -2 none, -3 more than one
}

int marking(const std::string& name) {
    MDIKVT3310 mdi;
    mdi.LngSelect(name);
    return markedItem(mdi);
}

TEST(LanguageMarks, lngSelect_marksTheItemOfTheNameBeforeItsFirstDot) {
    EXPECT_EQ(marking("en.lng"), 0);
    EXPECT_EQ(marking("fr.lng"), 1);
    EXPECT_EQ(marking("nl.lng"), 2);
    EXPECT_EQ(marking("de.lng"), 3);
    EXPECT_EQ(marking("pt.lng"), 6);
    EXPECT_EQ(marking("el.lng"), 10);
    EXPECT_EQ(marking("de.old.lng"), 3);
    EXPECT_EQ(marking(""), 0);
}

TEST(LanguageMarks, lngSelect_otherNamesCapitalsAndNamesWithoutDotMarkOther) {
    EXPECT_EQ(marking("DE.lng"), -1);
    EXPECT_EQ(marking("hall.lng"), -1);
    EXPECT_EQ(marking("de"), -1);
    EXPECT_EQ(marking(".lng"), -1);
}

TEST(LanguageMarks, uncheckLanguages_clearsEveryLanguageMarkOnly) {
    MDIKVT3310 mdi;
    mdi.LngSelect("it.lng");
    mdi.LngSelect("own.lng");
    EXPECT_EQ(markedItem(mdi), -3);
    mdi.Com1.setChecked(true);
    mdi.UncheckLanguages();
    EXPECT_EQ(markedItem(mdi), -2);
    EXPECT_TRUE(mdi.Com1.checked());
}

}  // namespace
