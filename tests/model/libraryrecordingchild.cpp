// Records COUNT load events into the library at PATH, each with the file
// name "TAG-<n>" and a setup of its own, one transaction each, as telvir
// and the editor record: the other side of the library tests that run
// programs at the same time or kill one.
//   library-recording-child PATH TAG COUNT

#include "model/libraryrecorder.h"
#include "model/librarystore.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 4)
        return 2;
    LibraryStore store(arguments.at(1));
    LibraryRecorder recorder(store);
    const int count = arguments.at(3).toInt();
    QTextStream out(stdout);
    for (int n = 0; n < count; ++n) {
        Settings settings;
        settings.controls[n % kControlCount].ccNumber = std::uint8_t(n % 128);
        settings.controls[(n / 128) % kControlCount].lsb = std::uint8_t((n / 128) % 128);
        settings.globalChannel = std::uint8_t(arguments.at(2).size() + n / 16384);
        if (!recorder.record(LibraryEvent::of(LibraryEvent::Kind::Load, LibraryEvent::Program::Telvir, settings,
                                              QStringLiteral("%1-%2").arg(arguments.at(2)).arg(n)))) {
            out << "not recorded: " << n << '\n' << store.takeNotice() << '\n';
            return 1;
        }
    }
    return 0;
}
