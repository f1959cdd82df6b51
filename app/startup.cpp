// SPDX-License-Identifier: MIT
#include "startup.h"

#include "catalogue.h"
#include "form1.h"
#include "guard.h"
#include "toolkit.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#if defined(Q_OS_UNIX)
#include <unistd.h>
#endif

namespace {

// The one line for a machine without a display.
const char *const NoDisplay
    = "astrelo: nelze otevřít okno: chybí displej (proměnná DISPLAY není nastavena)\n";

QtMessageHandler previousHandler = nullptr;
std::vector<std::pair<QtMsgType, QString>> heldMessages;

// While the platform starts, its complaints are held back; a fatal one becomes one line.
void startupMessageHandler(
    QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtFatalMsg) {
        const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
        const QByteArray display = qgetenv("DISPLAY");
        if (platform.isEmpty() && display.isEmpty())
            std::fputs(NoDisplay, stderr);
        else if (platform.isEmpty())
            std::fprintf(stderr, "astrelo: nelze otevřít okno: displej \"%s\" není k dispozici\n",
                display.constData());
        else
            std::fprintf(stderr, "astrelo: nelze otevřít okno: platforma \"%s\" se nespustila\n",
                platform.constData());
        std::fflush(stderr);
        std::_Exit(1);
    }
    Q_UNUSED(context);
    heldMessages.emplace_back(type, message);
}

} // namespace

void Startup::prepareProcess()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // A Wayland display named relative to a runtime folder that is not set cannot be reached;
    // left set, the Wayland library would say so on standard error before Qt gets a word in.
    const QByteArray wayland = qgetenv("WAYLAND_DISPLAY");
    const bool waylandReachable = !wayland.isEmpty()
        && (wayland.startsWith('/') || !qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"));
    if (!waylandReachable)
        qunsetenv("WAYLAND_DISPLAY");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && !waylandReachable) {
        std::fputs(NoDisplay, stderr);
        std::exit(1);
    }
    // Without a session bus the program does without D-Bus. Left unset, the D-Bus library
    // would start a bus of its own on X11, which writes files into the home folder.
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) {
        const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
        const QByteArray bus
            = (runtime.isEmpty() ? "/run/user/" + QByteArray::number(getuid()) : runtime) + "/bus";
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + bus);
    }
#endif
    previousHandler = qInstallMessageHandler(startupMessageHandler);
}

void Startup::configureApplication(QApplication &app)
{
    // The platform is up: pass on what it said while starting.
    qInstallMessageHandler(previousHandler);
    for (const auto &[type, message] : std::exchange(heldMessages, {}))
        if (previousHandler)
            previousHandler(type, QMessageLogContext(), message);
    QCoreApplication::setApplicationName(QStringLiteral("Astrelo"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ASTRELO_VERSION));
    QCoreApplication::setOrganizationName(QStringLiteral("Kelmo Software"));
    QGuiApplication::setDesktopFileName(QStringLiteral(ASTRELO_APP_ID));
    Toolkit::setUpLook(app);
    // The program speaks Czech whatever the desktop's language, and so does Qt inside it: the
    // text box's menu, the message box's button.
    QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    auto *translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::Czech), QStringLiteral("qtbase"), QStringLiteral("_"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
}

std::unique_ptr<Form1> Startup::createMainWindow()
{
    auto window = std::make_unique<Form1>();
    const bool loaded = runGuarded([&window] {
        QGuiApplication::setWindowIcon(
            QIcon(LoadCataloguePicture(CatalogueNumber::programIcon(), CatalogueKind::Icon)));
        window->load();
    });
    if (!loaded)
        window.reset();
    return window;
}

int Startup::run(QApplication &app)
{
    std::unique_ptr<Form1> window = createMainWindow();
    if (!window)
        return 1;
    window->show();
    const int status = app.exec();
    // Windows closed during the last events are deleted before the application goes.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return status;
}
