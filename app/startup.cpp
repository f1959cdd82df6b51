// SPDX-License-Identifier: MIT
#include "startup.h"

#include "catalogue.h"
#include "form1.h"
#include "guard.h"
#include "toolkit.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

QtMessageHandler previousHandler = nullptr;
std::vector<std::pair<QtMsgType, QString>> heldMessages;

// While the platform starts, its complaints are held back; a fatal one becomes one line.
void startupMessageHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtFatalMsg) {
        const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
        if (platform.isEmpty())
            std::fprintf(stderr, "astrelo: nelze otevřít okno: displej \"%s\" není k dispozici\n",
                qgetenv("DISPLAY").constData());
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
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::fprintf(stderr, "astrelo: nelze otevřít okno: chybí displej (proměnná DISPLAY není nastavena)\n");
        std::exit(1);
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
}

std::unique_ptr<Form1> Startup::createMainWindow()
{
    auto window = std::make_unique<Form1>();
    const bool loaded = runGuarded([&window] {
        QGuiApplication::setWindowIcon(QIcon(LoadCataloguePicture(1, CatalogueKind::Icon)));
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
