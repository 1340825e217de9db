// The machine's date and screen, or what a test put in their place.
#include "platform/shell/environment.h"

#include <QGuiApplication>
#include <QScreen>

namespace shell {
namespace {
std::optional<QDate> g_today;
std::optional<QDateTime> g_now;
std::optional<int> g_twips;
constexpr int kTwipsPerPixel = 15;
}

QDate today()
{
    if (g_today)
        return *g_today;
    return g_now ? g_now->date() : QDate::currentDate();
}

QDateTime now()
{
    return g_now ? *g_now : QDateTime::currentDateTime();
}

int screenWidthTwips()
{
    if (g_twips)
        return *g_twips;
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().width() * kTwipsPerPixel : 0;
}

void setToday(std::optional<QDate> day) { g_today = day; }
void setNow(std::optional<QDateTime> when) { g_now = when; }
void setScreenWidthTwips(std::optional<int> twips) { g_twips = twips; }

} // namespace shell
