// Start-up of the tool's commands. Translators are loaded with the toolkit's
// standard search (suffix first, then the name shortened at its last "_" or
// "."), so a French locale fr_FR finds squelet_fr.qm; a missing or corrupt
// file is dropped without a message.
#include "driver/startup.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QTranslator>

#include "diag/message_catalogue.h"
#include "diag/report.h"
#include "driver/option_values.h"
#include "support/checked_calls.h"

namespace {

const char* const tool_identity = "C++";
const char* const version_text = "4.1.0.2.117.006";

} // namespace

int script_language = 2;

void open_standard_descriptors()
{
    for (int fd = 0; fd <= 2; ++fd) {
        if (fcntl(fd, F_GETFD) != -1)
            continue;
        // The lowest free descriptor is fd itself, the ones below being open.
        int opened = open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
        if (opened < 0)
            _exit(7);
        if (opened != fd) {
            dup2(opened, fd);
            close(opened);
        }
    }
}

option_values& options()
{
    static option_values values;
    return values;
}

QStringList catalogue_prefixes()
{
    return {"squelet_", "plovident_", "modbas_", "bibli_", "anaccpp_", "cab_"};
}

void load_translators(QCoreApplication& application, const QStringList& prefixes)
{
    const char* home = std::getenv("TOLVEXDIR");
    if (home == nullptr || *home == '\0') {
        std::fputs("Fatal Error: please setup TOLVEXDIR environment variable.\n", stderr);
        exit_process(7);
    }
    const QString separator = QDir::separator();
    const QString directory = QString::fromLocal8Bit(home) + separator + "lib" + separator + "locale";
    if (!QFileInfo(directory).isDir()) {
        QString text = QString("Warning: directory doesn't exist '%1'\n").arg(directory);
        std::fputs(text.toLocal8Bit().constData(), stderr);
        return;
    }
    const QString locale = QLocale::system().name();
    for (const QString& prefix : prefixes) {
        auto translator = std::make_unique<QTranslator>(&application);
        if (translator->load(prefix + locale, directory, "_.", ".qm"))
            application.installTranslator(translator.release());
    }
}

int language_from_environment()
{
    const char* value = std::getenv("MORVALAN");
    if (value == nullptr)
        return 2;
    std::string code = value;
    for (char& c : code)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    if (code == "FR")
        return 0;
    if (code == "FA")
        return 1;
    return 2;
}

QString title_for_identity(const char* identity)
{
    std::string id = identity;
    if (id == "C")
        return QCoreApplication::translate("PLOVIdent", "C Source Code Parser");
    if (id == "C++")
        return QCoreApplication::translate("PLOVIdent", "Deprecated C++ Test Template Generator");
    if (id == "ADA")
        return QCoreApplication::translate("PLOVIdent", "Ada Source Code Parser");
    return QCoreApplication::translate("morvastartC", "Unit Test Template Generator",
                                       "Default message displayed when the tool is started");
}

void print_banner(const QString& tool_title)
{
    open_error_file(QString());
    QString start = QString("%1 %2 %3")
                        .arg(QCoreApplication::translate("PLOVIdent", "Kelvane"), tool_title,
                             QCoreApplication::translate("PLOVIdent", version_text));
    report_info("STARTEXEC", start);
    if (std::getenv("MORVA_SUPPRESS_COPYRIGHT") == nullptr) {
        QString notice = QString("%1 %2").arg(
            QCoreApplication::translate("PLOVIdent", "Copyright (C) 2026 Kelvane Software."),
            QCoreApplication::translate("PLOVIdent", "All rights reserved."));
        report_info("COPYRIGHT", notice);
    }
}

void start_tool(QCoreApplication& application)
{
    install_new_handler();
    load_translators(application, catalogue_prefixes());
    register_all_messages();
    script_language = language_from_environment();
    print_banner(title_for_identity(tool_identity));
}
