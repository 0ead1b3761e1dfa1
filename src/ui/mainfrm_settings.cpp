// The settings file (read when the window first shows, written on every close
// attempt) and the question asked before the window closes.
#include "mainfrm.h"

#include "filterpage.h"
#include "globalshortcuts.h"
#include "programname.h"
#include "reportlist.h"
#include "stayontop.h"
#include "windowutil.h"

#include "core/intconv.h"
#include "statusfenster.h"

#include <QAction>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QTimer>

#include <algorithm>

namespace veltrix {

namespace {

bool onSomeScreen(const QRect &frame)
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    return std::any_of(screens.begin(), screens.end(),
                       [&](const QScreen *screen) { return screen->availableGeometry().intersects(frame); });
}

// Moves a window to the stored position. A value that is not an integer is
// skipped, so one damaged key does not keep the others from applying. A
// place off every screen (a monitor since removed) is not taken: the window
// could not be reached there.
void placeFromSettings(const IniFile &ini, QStringView section, QWidget *window)
{
    int left = window->x();
    int top = window->y();
    if (const auto text = ini.value(section, u"top")) {
        if (const auto value = tryStrToInt(*text))
            top = *value;
    }
    if (const auto text = ini.value(section, u"left")) {
        if (const auto value = tryStrToInt(*text))
            left = *value;
    }
    if (onSomeScreen(QRect(QPoint(left, top), window->frameGeometry().size())))
        window->move(left, top);
}

void storePosition(IniFile &ini, QStringView section, const QWidget *window)
{
    const QPoint place = framePosition(window);
    ini.setValue(section, u"top", QString::number(place.y()));
    ini.setValue(section, u"left", QString::number(place.x()));
}

} // namespace

void TfrmMain::settingsUnreadable(const QString &path)
{
    // From now on the file is left alone: what it holds was never read,
    // so writing the program's keys over it would lose the rest.
    m_settingsUnreadable = true;
    m_platform.messageBoxes->show({QStringLiteral("Hinweis"),
                                   QStringLiteral("Die Einstellungen konnten nicht aus %1 gelesen werden; "
                                                  "die Datei wird nicht überschrieben.")
                                       .arg(path),
                                   MsgButtons::Ok, MsgIcon::Warning});
}

void TfrmMain::LoadSettings()
{
    const QString &path = m_platform.settingsPath;
    const std::optional<IniFile> read = m_platform.files->readSettings(path);
    if (!read && !m_settingsUnreadable)
        settingsUnreadable(path);
    const IniFile ini = read.value_or(IniFile());
    m_lastOpenedName = ini.value(u"Datei", u"Dateiname").value_or(m_fileName);
    if (QWidget *status = m_companions.status)
        placeFromSettings(ini, u"Statusfenster", status);
    placeFromSettings(ini, u"Veltrix", this);

    const QString hideout = ini.value(u"Einstellungen", u"Versteck").value_or(QStringLiteral("0"));
    m_filterPage->restoreHideout(hideout);
    m_clipboardWatchItem->setChecked(ini.value(u"Einstellungen", u"Zwischenablage") == QStringLiteral("1"));
    m_colours->setChecked(ini.value(u"Einstellungen", u"Farben").value_or(QStringLiteral("1")) != u"0");

    if (!m_lastOpenedName.isEmpty()) {
        QString caption = m_lastOpenedName;
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        m_lastOpened->setText(QStringLiteral("Öffnen: ") + caption);
        m_lastOpened->setVisible(true);
    }
    m_shortcuts->load(ini);
}

void TfrmMain::SaveSettings()
{
    // A window closing for an update writes nothing.
    if (m_closeRequest || m_settingsUnreadable)
        return;
    const QString &path = m_platform.settingsPath;
    std::optional<IniFile> read = m_platform.files->readSettings(path);
    if (!read) {
        settingsUnreadable(path);
        return;
    }
    IniFile &ini = *read;
    ini.setValue(u"Datei", u"Dateiname", m_fileName);
    if (const QWidget *status = m_companions.status)
        storePosition(ini, u"Statusfenster", status);
    storePosition(ini, u"Veltrix", this);
    ini.setValue(u"Einstellungen", u"Versteck", m_filterPage->hideoutText());
    ini.setValue(u"Einstellungen", u"Zwischenablage", m_clipboardWatchItem->isChecked() ? u"1" : u"0");
    ini.setValue(u"Einstellungen", u"Farben", m_colours->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    m_shortcuts->store(ini);
    m_platform.files->writeSettings(path, ini);
}

bool TfrmMain::closeQuery()
{
    // Ending the program while the status window holds the list: the list
    // comes back first, so it is asked about and never saved empty.
    if (TfrmStatus *status = statusWindow(); status && status->holdsList())
        status->close();

    // The question must not hide behind a stay-on-top window.
    const bool wasOnTop = m_stayOnTop->mainOnTop();
    if (wasOnTop)
        m_stayOnTop->setMainOnTop(false);

    // A save that fails or whose dialog is cancelled keeps the window open:
    // the player asked for the list to be kept.
    bool accept = false;
    guarded(m_platform, [&] { accept = saveChangesFirst(); });

    // Reported but never in the way: the player must always be able to quit.
    guarded(m_platform, [this] { SaveSettings(); });

    if (!accept && wasOnTop)
        m_stayOnTop->setMainOnTop(true);
    return accept;
}

} // namespace veltrix
