#include "x11keys.h"

#include "platform/keynames.h"

#include <QGuiApplication>
#include <QObject>

#include <cstdlib>
#include <optional>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

namespace veltrix {

namespace {

constexpr xcb_keysym_t kNumLock = 0xff7f;
constexpr xcb_keysym_t kLevel3Shift = 0xfe03; // AltGr on most layouts
// XKB's events that say the keyboard map changed.
constexpr quint8 kXkbNewKeyboardNotify = 0;
constexpr quint8 kXkbMapNotify = 1;
// The key modifiers of an event's state, without the pointer buttons.
constexpr quint16 kKeyModifiers = 0xff;

quint16 modifierMask(Qt::KeyboardModifiers mods)
{
    quint16 mask = 0;
    if (mods & Qt::ShiftModifier)
        mask |= XCB_MOD_MASK_SHIFT;
    if (mods & Qt::ControlModifier)
        mask |= XCB_MOD_MASK_CONTROL;
    if (mods & Qt::AltModifier)
        mask |= XCB_MOD_MASK_1;
    if (mods & Qt::MetaModifier)
        mask |= XCB_MOD_MASK_4;
    return mask;
}

// Where a keysym lies on the keyboard: its key and the modifiers that
// choose its level.
struct KeyPlace {
    xcb_keycode_t keycode;
    quint16 modifiers;
};

struct Grab {
    xcb_window_t root;
    xcb_keycode_t keycode;
    quint16 modifiers; // with the lock variant
    qsizetype position;
};

} // namespace

struct X11GlobalKeys::Impl {
    xcb_connection_t *connection = nullptr;
    xcb_key_symbols_t *symbols = nullptr;
    QList<xcb_window_t> roots;
    QList<QKeyCombination> keys; // as last asked for
    QList<Grab> grabs;
    quint16 numLock = XCB_MOD_MASK_2;
    quint16 level3 = 0; // none: the third level cannot be reached
    quint8 xkbEvent = 0; // XKB's first event code; 0: no XKB
    bool rereadPending = false;
    QObject context; // for the re-grab after a change of the keyboard map
    // Auto-repeat comes as presses without a release between them, or as a
    // release and a press with the same time stamp.
    xcb_keycode_t held = 0;
    xcb_keycode_t lastReleased = 0;
    xcb_timestamp_t lastReleaseTime = 0;

    quint16 lockVariants(int i) const
    {
        const quint16 variants[] = {0, XCB_MOD_MASK_LOCK, numLock, quint16(XCB_MOD_MASK_LOCK | numLock)};
        return variants[i];
    }
    void readKeyboardMap();
    std::optional<quint16> modifierOf(xcb_keysym_t keysym) const;
    QList<xcb_keycode_t> keycodes(xcb_keysym_t keysym) const;
    QList<KeyPlace> places(xcb_keysym_t keysym) const;
    bool mapChanged(const xcb_generic_event_t *event) const;
    void ungrab(const Grab &grab) { xcb_ungrab_key(connection, grab.keycode, grab.root, grab.modifiers); }
    void ungrabAll();
    const Grab *match(const xcb_key_press_event_t *event) const;
};

void X11GlobalKeys::Impl::readKeyboardMap()
{
    if (symbols)
        xcb_key_symbols_free(symbols);
    symbols = xcb_key_symbols_alloc(connection);
    // The modifiers Num Lock and AltGr set depend on the keyboard map.
    numLock = modifierOf(kNumLock).value_or(XCB_MOD_MASK_2);
    level3 = modifierOf(kLevel3Shift).value_or(0);
}

std::optional<quint16> X11GlobalKeys::Impl::modifierOf(xcb_keysym_t keysym) const
{
    const QList<xcb_keycode_t> codes = keycodes(keysym);
    xcb_get_modifier_mapping_reply_t *reply =
        xcb_get_modifier_mapping_reply(connection, xcb_get_modifier_mapping(connection), nullptr);
    if (!reply)
        return std::nullopt;
    std::optional<quint16> found;
    const xcb_keycode_t *mapped = xcb_get_modifier_mapping_keycodes(reply);
    const int perModifier = reply->keycodes_per_modifier;
    for (int modifier = 0; modifier < 8 && !found; ++modifier) {
        for (int i = 0; i < perModifier; ++i) {
            if (mapped[modifier * perModifier + i] && codes.contains(mapped[modifier * perModifier + i]))
                found = quint16(1u << modifier);
        }
    }
    std::free(reply);
    return found;
}

QList<xcb_keycode_t> X11GlobalKeys::Impl::keycodes(xcb_keysym_t keysym) const
{
    QList<xcb_keycode_t> found;
    if (xcb_keycode_t *codes = xcb_key_symbols_get_keycode(symbols, keysym)) {
        for (xcb_keycode_t *code = codes; *code != XCB_NO_SYMBOL; ++code) {
            if (!found.contains(*code))
                found << *code;
        }
        std::free(codes);
    }
    return found;
}

QList<KeyPlace> X11GlobalKeys::Impl::places(xcb_keysym_t keysym) const
{
    // The columns of the core map that the first group reaches, with the
    // modifiers that reach them: a keysym found elsewhere on a key (another
    // group, a level Qt leaves out of the combination) is another key.
    const std::pair<int, quint16> levels[] = {
        {0, 0}, {1, XCB_MOD_MASK_SHIFT}, {4, level3}, {5, quint16(level3 | XCB_MOD_MASK_SHIFT)}};
    QList<KeyPlace> found;
    for (xcb_keycode_t keycode : keycodes(keysym)) {
        for (const auto &[column, modifiers] : levels) {
            if (column >= 4 && !level3)
                break;
            if (xcb_key_symbols_get_keysym(symbols, keycode, column) == keysym) {
                found.append({keycode, modifiers});
                break;
            }
        }
    }
    return found;
}

bool X11GlobalKeys::Impl::mapChanged(const xcb_generic_event_t *event) const
{
    const quint8 type = event->response_type & 0x7f;
    if (type == XCB_MAPPING_NOTIFY)
        return reinterpret_cast<const xcb_mapping_notify_event_t *>(event)->request != XCB_MAPPING_POINTER;
    // A client using XKB, as Qt does, gets a new keyboard as XKB's event
    // only, without the core one; the second byte holds XKB's event kind.
    return xkbEvent && type == xkbEvent && (event->pad0 == kXkbNewKeyboardNotify || event->pad0 == kXkbMapNotify);
}

void X11GlobalKeys::Impl::ungrabAll()
{
    for (const Grab &grab : std::as_const(grabs))
        ungrab(grab);
    grabs.clear();
    held = 0;
}

const Grab *X11GlobalKeys::Impl::match(const xcb_key_press_event_t *event) const
{
    const quint16 state = event->state & kKeyModifiers;
    for (const Grab &grab : grabs) {
        if (grab.root == event->event && grab.keycode == event->detail && grab.modifiers == state)
            return &grab;
    }
    return nullptr;
}

X11GlobalKeys::X11GlobalKeys() : d(std::make_unique<Impl>())
{
    if (auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>())
        d->connection = x11->connection();
    if (!d->connection)
        return;
    for (xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(d->connection)); it.rem;
         xcb_screen_next(&it))
        d->roots << it.data->root;
    const char xkb[] = "XKEYBOARD";
    if (xcb_query_extension_reply_t *reply = xcb_query_extension_reply(
            d->connection, xcb_query_extension(d->connection, sizeof xkb - 1, xkb), nullptr)) {
        if (reply->present)
            d->xkbEvent = reply->first_event;
        std::free(reply);
    }
    d->readKeyboardMap();
    qGuiApp->installNativeEventFilter(this);
}

X11GlobalKeys::~X11GlobalKeys()
{
    if (!d->connection)
        return;
    release();
    qGuiApp->removeNativeEventFilter(this);
    xcb_key_symbols_free(d->symbols);
}

bool X11GlobalKeys::usable(QKeyCombination key) const
{
    const xcb_keysym_t keysym = keysymOf(key.key());
    return d->connection && keysym != 0 && !d->places(keysym).isEmpty();
}

void X11GlobalKeys::grab(const QList<QKeyCombination> &keys)
{
    if (!d->connection)
        return;
    d->ungrabAll();
    d->keys = keys;
    QList<std::pair<qsizetype, KeyProblem::Kind>> problems;
    for (qsizetype position = 0; position < keys.size(); ++position) {
        const QKeyCombination key = keys[position];
        if (key.key() == Qt::Key(0))
            continue;
        const xcb_keysym_t keysym = keysymOf(key.key());
        const QList<KeyPlace> places = keysym ? d->places(keysym) : QList<KeyPlace>();
        if (places.isEmpty()) {
            problems.append({position, KeyProblem::Kind::Unusable});
            continue;
        }
        const quint16 modifiers = modifierMask(key.keyboardModifiers());
        // Every variant is asked for before any answer is awaited.
        QList<std::pair<Grab, xcb_void_cookie_t>> asked;
        for (const KeyPlace &place : places) {
            for (xcb_window_t root : d->roots) {
                for (int variant = 0; variant < 4; ++variant) {
                    const Grab grab{root, place.keycode,
                                    quint16(modifiers | place.modifiers | d->lockVariants(variant)), position};
                    asked.append({grab, xcb_grab_key_checked(d->connection, 0, root, grab.modifiers, grab.keycode,
                                                             XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC)});
                }
            }
        }
        bool held = false;
        QList<Grab> granted;
        for (const auto &[grab, cookie] : asked) {
            if (xcb_generic_error_t *error = xcb_request_check(d->connection, cookie)) {
                held = true;
                std::free(error);
            } else {
                granted << grab;
            }
        }
        // Half a key would fire only with Caps Lock or Num Lock in some states.
        if (held) {
            for (const Grab &grab : granted)
                d->ungrab(grab);
            problems.append({position, KeyProblem::Kind::Taken});
        } else {
            d->grabs << granted;
        }
    }
    xcb_flush(d->connection);
    for (const auto &[position, kind] : problems) {
        if (problem)
            problem(position, kind);
    }
}

void X11GlobalKeys::release()
{
    if (!d->connection)
        return;
    d->keys.clear();
    d->ungrabAll();
    xcb_flush(d->connection);
}

bool X11GlobalKeys::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    if (d->mapChanged(event) && !d->rereadPending) {
        // One layout change brings several events; the grabs stay on the
        // old keys until the map is read again.
        d->rereadPending = true;
        QMetaObject::invokeMethod(
            &d->context,
            [this] {
                d->rereadPending = false;
                d->readKeyboardMap();
                if (!d->keys.isEmpty())
                    grab(QList<QKeyCombination>(d->keys));
            },
            Qt::QueuedConnection);
    }
    if (d->grabs.isEmpty())
        return false;
    const quint8 type = event->response_type & 0x7f;
    if (type != XCB_KEY_PRESS && type != XCB_KEY_RELEASE)
        return false;
    // Press and release events share one layout.
    const auto *key = reinterpret_cast<const xcb_key_press_event_t *>(event);
    const Grab *grab = d->match(key);
    if (type == XCB_KEY_RELEASE) {
        if (key->detail == d->held) {
            d->held = 0;
            d->lastReleased = key->detail;
            d->lastReleaseTime = key->time;
        }
        return grab != nullptr;
    }
    if (!grab)
        return false;
    const bool repeat = key->detail == d->held
                        || (key->detail == d->lastReleased && key->time == d->lastReleaseTime);
    d->held = key->detail;
    if (!repeat && pressed)
        pressed(grab->position);
    return true;
}

} // namespace veltrix
