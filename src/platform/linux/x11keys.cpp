#include "x11keys.h"

#include "platform/keynames.h"

#include <QGuiApplication>

#include <cstdlib>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

namespace veltrix {

namespace {

constexpr xcb_keysym_t kNumLock = 0xff7f;
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
    QList<Grab> grabs;
    quint16 numLock = XCB_MOD_MASK_2;
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
    void findNumLock();
    QList<xcb_keycode_t> keycodes(xcb_keysym_t keysym) const;
    void ungrab(const Grab &grab) { xcb_ungrab_key(connection, grab.keycode, grab.root, grab.modifiers); }
    const Grab *match(const xcb_key_press_event_t *event) const;
};

void X11GlobalKeys::Impl::findNumLock()
{
    // The modifier Num Lock sets depends on the keyboard map; Mod2 is usual.
    const QList<xcb_keycode_t> numLockCodes = keycodes(kNumLock);
    xcb_get_modifier_mapping_reply_t *reply =
        xcb_get_modifier_mapping_reply(connection, xcb_get_modifier_mapping(connection), nullptr);
    if (!reply)
        return;
    const xcb_keycode_t *codes = xcb_get_modifier_mapping_keycodes(reply);
    const int perModifier = reply->keycodes_per_modifier;
    for (int modifier = 0; modifier < 8; ++modifier) {
        for (int i = 0; i < perModifier; ++i) {
            if (numLockCodes.contains(codes[modifier * perModifier + i]))
                numLock = quint16(1u << modifier);
        }
    }
    std::free(reply);
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
    d->symbols = xcb_key_symbols_alloc(d->connection);
    for (xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(d->connection)); it.rem;
         xcb_screen_next(&it))
        d->roots << it.data->root;
    d->findNumLock();
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

QList<qsizetype> X11GlobalKeys::grab(const QList<QKeyCombination> &keys)
{
    release();
    QList<qsizetype> taken;
    if (!d->connection)
        return taken;
    for (qsizetype position = 0; position < keys.size(); ++position) {
        const QKeyCombination key = keys[position];
        const xcb_keysym_t keysym = keysymOf(key.key());
        if (keysym == 0)
            continue;
        const quint16 modifiers = modifierMask(key.keyboardModifiers());
        // Every variant is asked for before any answer is awaited.
        QList<std::pair<Grab, xcb_void_cookie_t>> asked;
        for (xcb_keycode_t keycode : d->keycodes(keysym)) {
            for (xcb_window_t root : d->roots) {
                for (int variant = 0; variant < 4; ++variant) {
                    const Grab grab{root, keycode, quint16(modifiers | d->lockVariants(variant)), position};
                    asked.append({grab, xcb_grab_key_checked(d->connection, 0, root, grab.modifiers, keycode,
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
            taken << position;
        } else {
            d->grabs << granted;
        }
    }
    xcb_flush(d->connection);
    return taken;
}

void X11GlobalKeys::release()
{
    if (!d->connection)
        return;
    for (const Grab &grab : std::as_const(d->grabs))
        d->ungrab(grab);
    d->grabs.clear();
    d->held = 0;
    xcb_flush(d->connection);
}

bool X11GlobalKeys::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != "xcb_generic_event_t" || d->grabs.isEmpty())
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
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
