// SPDX-License-Identifier: MIT
#include "startup.h"

#include "catalogue.h"
#include "form1.h"
#include "guard.h"
#include "toolkit.h"

#include <QApplication>
#include <QDesktopServices>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QProcess>
#include <QStandardPaths>
#include <QTranslator>
#include <QUrl>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <optional>
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
// Qt may call the message handler from its other threads (D-Bus's, while the platform starts).
std::mutex heldMessagesLock;
std::vector<std::pair<QtMsgType, QString>> heldMessages;

// Outside a login session there is no runtime folder. Qt looks into it only to learn whether
// the program runs in a Flatpak sandbox, which always has one; without it, Qt would make a
// "runtime-<user>" folder in the temporary folder and say so. While Qt starts, the temporary
// folder is therefore a place where no folder can be made: the look-up finds no sandbox, and
// the two lines Qt writes about it, which name that place, are dropped.
const char *const NoFolderHere = "/dev/null";
std::atomic<bool> temporaryFolderHeld = false;
std::optional<QByteArray> temporaryFolder; // the TMPDIR to give back, if it was set

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
    if (temporaryFolderHeld && message.contains(QLatin1String(NoFolderHere)))
        return;
    const std::lock_guard lock(heldMessagesLock);
    heldMessages.emplace_back(type, message);
}

// Outside a login session a web address goes straight to the desktop's opener: Qt's own route
// would first look for a Flatpak sandbox in the runtime folder, and make that folder to look.
class SessionlessBrowser : public QObject
{
    Q_OBJECT

public:
    explicit SessionlessBrowser(QObject *parent)
        : QObject(parent)
    {
        QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "open");
    }
    ~SessionlessBrowser() override { QDesktopServices::unsetUrlHandler(QStringLiteral("http")); }
    SessionlessBrowser(const SessionlessBrowser &) = delete;
    SessionlessBrowser &operator=(const SessionlessBrowser &) = delete;

public Q_SLOTS:
    void open(const QUrl &address)
    {
        // Qt's order: xdg-open, else the browser the environment names. Whether one starts is
        // not reported, as with Qt's route.
        QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
        for (const char *variable : { "DEFAULT_BROWSER", "BROWSER" })
            if (opener.isEmpty() && !qEnvironmentVariableIsEmpty(variable))
                opener = QStandardPaths::findExecutable(qEnvironmentVariable(variable));
        if (!opener.isEmpty())
            QProcess::startDetached(opener, { address.toString(QUrl::FullyEncoded) });
    }
};

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
    if (!qgetenv("XDG_RUNTIME_DIR").startsWith('/')) {
        temporaryFolderHeld = true;
        if (qEnvironmentVariableIsSet("TMPDIR"))
            temporaryFolder = qgetenv("TMPDIR");
        qputenv("TMPDIR", NoFolderHere);
    }
#endif
    previousHandler = qInstallMessageHandler(startupMessageHandler);
}

void Startup::configureApplication(QApplication &app)
{
    // The platform is up: the temporary folder is the user's again, and what the platform said
    // while starting is passed on.
    if (temporaryFolderHeld.exchange(false)) {
        if (temporaryFolder)
            qputenv("TMPDIR", *temporaryFolder);
        else
            qunsetenv("TMPDIR");
        new SessionlessBrowser(&app);
    }
    qInstallMessageHandler(previousHandler);
    std::vector<std::pair<QtMsgType, QString>> held;
    {
        const std::lock_guard lock(heldMessagesLock);
        held = std::exchange(heldMessages, {});
    }
    for (const auto &[type, message] : held)
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
        // Both windows take the program's icon at the sizes title bars, task bars and window
        // switchers show (16 to 48 pixels), each drawn for its size; at 32 pixels it is the
        // catalogue's icon, the picture the about window shows too. Larger views (docks, the
        // software centre) take the installed theme icon, so decoding the 64 and 128 pixel
        // drawings would only slow the start; a scaled screen takes the catalogue's icon drawn
        // at twice its pixels as well.
        QIcon icon;
        for (const int size : { 16, 24, 48 })
            icon.addFile(QStringLiteral(":/icons/%1/" ASTRELO_APP_ID ".png").arg(size));
        icon.addPixmap(loadCataloguePicture(CatalogueNumber::programIcon(), CatalogueKind::Icon));
        if (qApp->devicePixelRatio() >= 2)
            icon.addPixmap(loadCataloguePicture(
                CatalogueNumber::programIcon(), CatalogueKind::Icon, qApp->devicePixelRatio()));
        QGuiApplication::setWindowIcon(icon);
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

#include "startup.moc"
