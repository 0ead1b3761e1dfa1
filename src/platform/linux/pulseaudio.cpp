#include "pulseaudio.h"

#include "platform/wavsound.h"

#include <pulse/context.h>
#include <pulse/proplist.h>
#include <pulse/rtclock.h>
#include <pulse/stream.h>
#include <pulse/thread-mainloop.h>
#include <pulse/timeval.h>

#include <chrono>

namespace veltrix {

namespace {

// A server that has not answered by then is taken as none...
constexpr pa_usec_t kConnectTimeout = 1000 * PA_USEC_PER_MSEC;
// ...and left alone for a while, so that a hung server does not stall every
// move of the volume slider.
constexpr auto kQuietAfterTimeout = std::chrono::seconds(30);

const char kProgramName[] = "Veltrix Professional";

pa_proplist *properties(const char *role)
{
    pa_proplist *props = pa_proplist_new();
    pa_proplist_sets(props, PA_PROP_APPLICATION_NAME, kProgramName);
    pa_proplist_sets(props, PA_PROP_APPLICATION_ID, "org.example.veltrix");
    pa_proplist_sets(props, PA_PROP_APPLICATION_ICON_NAME, "org.example.veltrix");
    if (role)
        pa_proplist_sets(props, PA_PROP_MEDIA_ROLE, role);
    return props;
}

} // namespace

// The connection lives on the client library's own thread; calls from the
// program's thread hold the loop's lock, and the callbacks run with it held.
struct PulseAudio::Server {
    pa_threaded_mainloop *loop = nullptr;
    pa_context *context = nullptr;
    pa_stream *stream = nullptr; // the sound played last
    QByteArray samples;          // its samples, written as the server asks
    qsizetype written = 0;
    bool timedOut = false;
    std::chrono::steady_clock::time_point quietUntil;

    class Lock {
    public:
        explicit Lock(pa_threaded_mainloop *loop) : m_loop(loop) { pa_threaded_mainloop_lock(m_loop); }
        ~Lock() { pa_threaded_mainloop_unlock(m_loop); }
        Lock(const Lock &) = delete;
        Lock &operator=(const Lock &) = delete;

    private:
        pa_threaded_mainloop *m_loop;
    };

    Server()
    {
        loop = pa_threaded_mainloop_new();
        if (loop && pa_threaded_mainloop_start(loop) < 0) {
            pa_threaded_mainloop_free(loop);
            loop = nullptr;
        }
    }

    ~Server()
    {
        if (!loop)
            return;
        {
            Lock lock(loop);
            dropStream();
            dropContext();
        }
        pa_threaded_mainloop_stop(loop);
        pa_threaded_mainloop_free(loop);
    }

    bool available()
    {
        if (!loop)
            return false;
        Lock lock(loop);
        return connected();
    }

    void play(const PcmSound &sound, const QByteArray &scaled)
    {
        if (!loop)
            return;
        Lock lock(loop);
        if (!connected())
            return;
        pa_sample_spec format;
        format.format = sound.bitsPerSample == 8 ? PA_SAMPLE_U8 : PA_SAMPLE_S16LE;
        format.rate = quint32(sound.sampleRate);
        format.channels = quint8(sound.channels);
        if (!pa_sample_spec_valid(&format))
            return;
        // One sound at a time: a new alarm replaces the one still playing.
        dropStream();
        pa_proplist *props = properties("event");
        stream = pa_stream_new_with_proplist(context, "Alarm", &format, nullptr, props);
        pa_proplist_free(props);
        if (!stream)
            return;
        samples = scaled;
        written = 0;
        pa_stream_set_write_callback(stream, &Server::writable, this);
        if (pa_stream_connect_playback(stream, nullptr, nullptr, PA_STREAM_NOFLAGS, nullptr, nullptr) < 0)
            dropStream();
    }

private:
    // Lock held. A context that failed (the server went away) is dropped
    // and a new one tried, so a server that comes back is used again.
    bool connected()
    {
        if (context) {
            if (pa_context_get_state(context) == PA_CONTEXT_READY)
                return true;
            dropStream();
            dropContext();
        }
        if (std::chrono::steady_clock::now() < quietUntil)
            return false;
        pa_proplist *props = properties(nullptr);
        context = pa_context_new_with_proplist(pa_threaded_mainloop_get_api(loop), kProgramName, props);
        pa_proplist_free(props);
        if (!context)
            return false;
        pa_context_set_state_callback(context, &Server::contextChanged, this);
        // Never start a server: without one the program stays silent.
        if (pa_context_connect(context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
            dropContext();
            return false;
        }
        timedOut = false;
        pa_time_event *timer = pa_context_rttime_new(context, pa_rtclock_now() + kConnectTimeout,
                                                     &Server::connectTimedOut, this);
        for (;;) {
            const pa_context_state_t state = pa_context_get_state(context);
            if (state == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(state) || timedOut)
                break;
            pa_threaded_mainloop_wait(loop);
        }
        if (timer)
            pa_threaded_mainloop_get_api(loop)->time_free(timer);
        if (pa_context_get_state(context) == PA_CONTEXT_READY)
            return true;
        dropContext();
        if (timedOut)
            quietUntil = std::chrono::steady_clock::now() + kQuietAfterTimeout;
        return false;
    }

    void dropContext()
    {
        if (!context)
            return;
        pa_context_set_state_callback(context, nullptr, nullptr);
        pa_context_disconnect(context);
        pa_context_unref(context);
        context = nullptr;
    }

    void dropStream()
    {
        if (!stream)
            return;
        pa_stream_set_write_callback(stream, nullptr, nullptr);
        if (PA_STREAM_IS_GOOD(pa_stream_get_state(stream)))
            pa_stream_disconnect(stream);
        pa_stream_unref(stream);
        stream = nullptr;
        samples.clear();
    }

    static void contextChanged(pa_context *, void *self)
    {
        pa_threaded_mainloop_signal(static_cast<Server *>(self)->loop, 0);
    }

    static void connectTimedOut(pa_mainloop_api *, pa_time_event *, const struct timeval *, void *self)
    {
        auto *server = static_cast<Server *>(self);
        server->timedOut = true;
        pa_threaded_mainloop_signal(server->loop, 0);
    }

    static void writable(pa_stream *s, size_t bytes, void *self)
    {
        auto *server = static_cast<Server *>(self);
        if (s != server->stream)
            return;
        const size_t rest = size_t(server->samples.size() - server->written);
        const size_t chunk = qMin(bytes, rest);
        // pa_stream_write copies the bytes; a refused write ends the sound.
        if (chunk > 0
            && pa_stream_write(s, server->samples.constData() + server->written, chunk, nullptr, 0, PA_SEEK_RELATIVE) < 0)
            server->written = server->samples.size();
        else
            server->written += qsizetype(chunk);
        if (server->written < server->samples.size())
            return;
        // All written: play out what the server holds, then let go of the
        // sink, so an idle program holds no stream open.
        pa_stream_set_write_callback(s, nullptr, nullptr);
        if (pa_operation *drain = pa_stream_drain(s, &Server::drained, self))
            pa_operation_unref(drain);
    }

    static void drained(pa_stream *s, int, void *self)
    {
        if (s == static_cast<Server *>(self)->stream && PA_STREAM_IS_GOOD(pa_stream_get_state(s)))
            pa_stream_disconnect(s);
    }
};

PulseAudio::PulseAudio() : m_server(std::make_unique<Server>()) {}

PulseAudio::~PulseAudio() = default;

std::optional<quint32> PulseAudio::waveVolume()
{
    if (!m_server->available())
        return std::nullopt;
    return m_volume;
}

bool PulseAudio::setWaveVolume(quint32 volume)
{
    if (!m_server->available())
        return false;
    m_volume = volume;
    return true;
}

bool PulseAudio::playSound(const QString &name)
{
    const QByteArray wav = builtInSound(name);
    if (wav.isEmpty())
        return false;
    if (const auto sound = parseWav(wav))
        m_server->play(*sound, scaledSamples(*sound, m_volume));
    return true;
}

} // namespace veltrix
