// Test entry for the core suites: a QCoreApplication (Qt SQL drivers and
// plugins want one) and deterministic locale settings.
#include <QCoreApplication>
#include <QLocale>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    qputenv("TZ", "Europe/Berlin");
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
