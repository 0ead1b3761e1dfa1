#include "keynames.h"

#include <QChar>

namespace veltrix {

namespace {

struct NamedKey {
    Qt::Key key;
    quint32 keysym;
    const char *name; // as XKB spells the keysym
};

// The keys a player may put on a shortcut beyond letters, digits and F keys.
constexpr NamedKey kNamedKeys[] = {
    {Qt::Key_Space, 0x0020, "space"},
    {Qt::Key_Return, 0xff0d, "Return"},
    {Qt::Key_Enter, 0xff8d, "KP_Enter"},
    {Qt::Key_Tab, 0xff09, "Tab"},
    {Qt::Key_Escape, 0xff1b, "Escape"},
    {Qt::Key_Backspace, 0xff08, "BackSpace"},
    {Qt::Key_Insert, 0xff63, "Insert"},
    {Qt::Key_Delete, 0xffff, "Delete"},
    {Qt::Key_Home, 0xff50, "Home"},
    {Qt::Key_End, 0xff57, "End"},
    {Qt::Key_PageUp, 0xff55, "Prior"},
    {Qt::Key_PageDown, 0xff56, "Next"},
    {Qt::Key_Left, 0xff51, "Left"},
    {Qt::Key_Up, 0xff52, "Up"},
    {Qt::Key_Right, 0xff53, "Right"},
    {Qt::Key_Down, 0xff54, "Down"},
    {Qt::Key_Pause, 0xff13, "Pause"},
    {Qt::Key_Print, 0xff61, "Print"},
    {Qt::Key_ScrollLock, 0xff14, "Scroll_Lock"},
    {Qt::Key_Comma, 0x002c, "comma"},
    {Qt::Key_Period, 0x002e, "period"},
    {Qt::Key_Minus, 0x002d, "minus"},
    {Qt::Key_Plus, 0x002b, "plus"},
    {Qt::Key_NumberSign, 0x0023, "numbersign"},
    {Qt::Key_Less, 0x003c, "less"},
    {Qt::Key_Adiaeresis, 0x00e4, "adiaeresis"},
    {Qt::Key_Odiaeresis, 0x00f6, "odiaeresis"},
    {Qt::Key_Udiaeresis, 0x00fc, "udiaeresis"},
    {Qt::Key_ssharp, 0x00df, "ssharp"},
};

const NamedKey *namedKey(Qt::Key key)
{
    for (const NamedKey &named : kNamedKeys) {
        if (named.key == key)
            return &named;
    }
    return nullptr;
}

bool isLetterOrDigit(Qt::Key key)
{
    return (key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9);
}

bool isFunctionKey(Qt::Key key) { return key >= Qt::Key_F1 && key <= Qt::Key_F35; }

} // namespace

quint32 keysymOf(Qt::Key key)
{
    if (isLetterOrDigit(key))
        return QChar(char16_t(key)).toLower().unicode();
    if (isFunctionKey(key))
        return 0xffbe + quint32(key - Qt::Key_F1);
    if (const NamedKey *named = namedKey(key))
        return named->keysym;
    // Latin-1 keys carry their upper-case character; X names the lower one.
    if (key >= 0x20 && key <= 0xff)
        return QChar(char16_t(key)).toLower().unicode();
    return 0;
}

QString portalTrigger(QKeyCombination combination)
{
    const Qt::Key key = combination.key();
    QString name;
    if (isLetterOrDigit(key))
        name = QChar(char16_t(key)).toLower();
    else if (isFunctionKey(key))
        name = QStringLiteral("F%1").arg(int(key - Qt::Key_F1) + 1);
    else if (const NamedKey *named = namedKey(key))
        name = QString::fromLatin1(named->name);
    if (name.isEmpty())
        return {};
    QString trigger;
    const Qt::KeyboardModifiers mods = combination.keyboardModifiers();
    if (mods & Qt::ControlModifier)
        trigger += QStringLiteral("CTRL+");
    if (mods & Qt::AltModifier)
        trigger += QStringLiteral("ALT+");
    if (mods & Qt::ShiftModifier)
        trigger += QStringLiteral("SHIFT+");
    if (mods & Qt::MetaModifier)
        trigger += QStringLiteral("LOGO+");
    return trigger + name;
}

} // namespace veltrix
