#include "hotkeys.h"

#include <QCoreApplication>

#include <windows.h>

namespace veltrix {

namespace {

UINT modifiersOf(Qt::KeyboardModifiers modifiers)
{
    // Held down, a key runs its command once.
    UINT result = MOD_NOREPEAT;
    if (modifiers & Qt::ControlModifier)
        result |= MOD_CONTROL;
    if (modifiers & Qt::AltModifier)
        result |= MOD_ALT;
    if (modifiers & Qt::ShiftModifier)
        result |= MOD_SHIFT;
    if (modifiers & Qt::MetaModifier)
        result |= MOD_WIN;
    return result;
}

} // namespace

unsigned virtualKeyOf(Qt::Key key)
{
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return unsigned(key); // the same codes
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return VK_F1 + unsigned(key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Tab: return VK_TAB;
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_End: return VK_END;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Pause: return VK_PAUSE;
    case Qt::Key_Print: return VK_SNAPSHOT;
    case Qt::Key_ScrollLock: return VK_SCROLL;
    case Qt::Key_NumLock: return VK_NUMLOCK;
    case Qt::Key_CapsLock: return VK_CAPITAL;
    case Qt::Key_Asterisk: return VK_MULTIPLY;
    case Qt::Key_Plus: return VK_OEM_PLUS;
    case Qt::Key_Minus: return VK_OEM_MINUS;
    case Qt::Key_Comma: return VK_OEM_COMMA;
    case Qt::Key_Period: return VK_OEM_PERIOD;
    case Qt::Key_VolumeUp: return VK_VOLUME_UP;
    case Qt::Key_VolumeDown: return VK_VOLUME_DOWN;
    case Qt::Key_VolumeMute: return VK_VOLUME_MUTE;
    case Qt::Key_MediaPlay:
    case Qt::Key_MediaPause:
    case Qt::Key_MediaTogglePlayPause: return VK_MEDIA_PLAY_PAUSE;
    case Qt::Key_MediaNext: return VK_MEDIA_NEXT_TRACK;
    case Qt::Key_MediaPrevious: return VK_MEDIA_PREV_TRACK;
    case Qt::Key_MediaStop: return VK_MEDIA_STOP;
    default: break;
    }
    // Other characters sit where the present layout puts them.
    if (key > 0x20 && key < 0x100) {
        const SHORT scan = VkKeyScanW(WCHAR(key));
        if (scan != -1 && (scan & 0x0600) == 0) // not behind Ctrl or Alt (AltGr)
            return unsigned(scan & 0xFF);
    }
    return 0;
}

WindowsHotKeys::WindowsHotKeys() = default;

WindowsHotKeys::~WindowsHotKeys()
{
    release();
    if (m_filtering && QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

void WindowsHotKeys::release()
{
    for (int id : std::as_const(m_registered))
        UnregisterHotKey(nullptr, id);
    m_registered.clear();
}

bool WindowsHotKeys::usable(const QKeySequence &keys)
{
    return !keys.isEmpty() && virtualKeyOf(keys[0].key()) != 0;
}

void WindowsHotKeys::bind(const QList<GlobalKey> &keys)
{
    release();
    m_keys = keys;
    if (!keys.isEmpty() && !m_filtering) {
        QCoreApplication::instance()->installNativeEventFilter(this);
        m_filtering = true;
    }
    QList<KeyProblem> problems;
    for (qsizetype position = 0; position < keys.size(); ++position) {
        if (keys[position].keys.isEmpty())
            continue;
        const QKeyCombination combination = keys[position].keys[0];
        const unsigned key = virtualKeyOf(combination.key());
        const int id = int(position) + 1;
        if (key == 0) {
            problems << KeyProblem{KeyProblem::Kind::Unusable, keys[position].keys, {}};
        } else if (RegisterHotKey(nullptr, id, modifiersOf(combination.keyboardModifiers()), key)) {
            m_registered << id;
        } else {
            const DWORD error = GetLastError();
            if (error == ERROR_HOTKEY_ALREADY_REGISTERED)
                problems << KeyProblem{KeyProblem::Kind::Taken, keys[position].keys, {}};
            else
                problems << KeyProblem{KeyProblem::Kind::Failed, keys[position].keys, qt_error_string(int(error))};
        }
    }
    for (const KeyProblem &problem : std::as_const(problems)) {
        if (m_context && m_problem)
            m_problem(problem);
    }
}

void WindowsHotKeys::watch(QObject *context, std::function<void(const QString &)> pressed,
                           std::function<void(const KeyProblem &)> problem)
{
    m_context = context;
    m_pressed = std::move(pressed);
    m_problem = std::move(problem);
}

bool WindowsHotKeys::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != "windows_generic_MSG")
        return false;
    const MSG *msg = static_cast<const MSG *>(message);
    if (msg->message != WM_HOTKEY || msg->hwnd != nullptr)
        return false;
    const int id = int(msg->wParam);
    if (!m_registered.contains(id))
        return false;
    if (m_context && m_pressed)
        m_pressed(m_keys[id - 1].id);
    return true;
}

} // namespace veltrix
