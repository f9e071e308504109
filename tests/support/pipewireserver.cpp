#include "pipewireserver.h"

#include <QDir>
#include <QFile>

namespace {
// Only what a JACK client needs: the native protocol, client nodes, links
// made by clients, and a dummy driver that runs the graph with PipeWire's
// own clock defaults (48 kHz, 1024 frames), as on a desktop.
//
// The driver's thread runs at real-time priority, as a desktop's PipeWire
// does: at normal priority on a loaded machine its timer fires late, and
// the driver then starts the next cycle at once to catch up, while the
// clients are still in the one before. The cycles overlap, and a reader
// that ends its late cycle marks the link's new buffer as read: a whole
// cycle's MIDI events (a firmware block, or the keyboard's acknowledgement
// of one) are lost without a word.
const char kConfig[] = R"(context.properties = {
    core.daemon = true
    core.name = "%1"
}
context.spa-libs = {
    support.* = support/libspa-support
}
context.modules = [
    { name = libpipewire-module-rt
        args = { nice.level = -11 rt.prio = 88 }
        flags = [ ifexists nofail ]
    }
    { name = libpipewire-module-protocol-native }
    { name = libpipewire-module-metadata }
    { name = libpipewire-module-spa-node-factory }
    { name = libpipewire-module-client-node }
    { name = libpipewire-module-access }
    { name = libpipewire-module-adapter }
    { name = libpipewire-module-link-factory }
]
context.objects = [
    { factory = metadata args = { metadata.name = default } }
    { factory = spa-node-factory
        args = {
            factory.name = support.node.driver
            node.name = Dummy-Driver
            node.group = pipewire.dummy
            priority.driver = 20000
        }
    }
]
)";

bool pipeWireJackLoaded()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("pipewire-0.3/jack/libjack.so");
}
} // namespace

bool PipeWireServer::chosen()
{
    return qEnvironmentVariable("TELVIR_TEST_SERVER") == QLatin1String("pipewire");
}

void PipeWireServer::useServer(const QString &name)
{
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeFolder(name)));
    qputenv("PIPEWIRE_REMOTE", name.toUtf8());
}

bool PipeWireServer::prepare(const QString &name, QString *program, QStringList *arguments, QString *error)
{
    if (!pipeWireJackLoaded()) {
        *error = QStringLiteral("TELVIR_TEST_SERVER=pipewire needs PipeWire's libjack: run with "
                                "LD_LIBRARY_PATH=/usr/lib/<arch>/pipewire-0.3/jack (Debian's pipewire-jack)");
        return false;
    }
    // A crashed server's socket and lock would be in the way.
    QDir folder(runtimeFolder(name));
    folder.removeRecursively();
    QFile config(configFile(name));
    if (!QDir().mkpath(folder.path()) || !config.open(QIODevice::WriteOnly)
        || config.write(QString::fromLatin1(kConfig).arg(name).toUtf8()) < 0) {
        *error = QStringLiteral("cannot write %1").arg(config.fileName());
        return false;
    }
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    *program = QStringLiteral("pipewire");
    *arguments = QStringList{QStringLiteral("-c"), config.fileName()};
    return true;
}

void PipeWireServer::cleanUp(const QString &name)
{
    QDir(runtimeFolder(name)).removeRecursively();
}

bool PipeWireServer::isServerOf(const QByteArrayList &commandLine, const QString &name)
{
    return !commandLine.isEmpty() && commandLine.first().endsWith("pipewire")
           && commandLine.contains(QFile::encodeName(configFile(name)));
}

QString PipeWireServer::runtimeFolder(const QString &name)
{
    return QDir::temp().filePath(QStringLiteral("telvir-pipewire-") + name);
}

QString PipeWireServer::configFile(const QString &name)
{
    return QDir(runtimeFolder(name)).filePath(QStringLiteral("server.conf"));
}
