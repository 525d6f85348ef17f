#include "lang/QtTranslations.h"

#include "support/TestData.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace veldrin {
namespace {

// What Qt's message boxes call their Yes button, in the language in use.
QString yes()
{
    return QCoreApplication::translate("QPlatformTheme", "&Yes");
}

// The translations the build puts in the program folder, switched as the language changes; a
// language without one keeps Qt's English.
TEST(QtTranslations, FollowTheChosenLanguage)
{
    QtTranslations texts(test::DistDir() + QStringLiteral("/translations"));
    const std::pair<const char*, const char*> cases[] = {
        {"Deutsch", "&Ja"},  {"Français", "&Oui"}, {"Español", "&Sí"}, {"Italiano", "&Sì"},
        {"English", "&Yes"}, {"Klingon", "&Yes"},  {"Deutsch", "&Ja"},
    };
    for (const auto& [language, expected] : cases) {
        const bool translated = texts.follow(QString::fromUtf8(language));
        EXPECT_EQ(translated, QByteArray(expected) != "&Yes") << language;
        EXPECT_EQ(yes(), QString::fromUtf8(expected)) << language;
    }
}

TEST(QtTranslations, AMissingTranslationKeepsEnglish)
{
    {
        QtTranslations texts(QStringLiteral("/nonexistent/translations"));
        EXPECT_FALSE(texts.follow(QStringLiteral("Deutsch")));
        EXPECT_EQ(yes(), QStringLiteral("&Yes"));
    }
    {
        QtTranslations texts(test::DistDir() + QStringLiteral("/translations"));
        ASSERT_TRUE(texts.follow(QStringLiteral("Deutsch")));
    }
    // Gone with the object that put it in place.
    EXPECT_EQ(yes(), QStringLiteral("&Yes"));
}

} // namespace
} // namespace veldrin
