// Start-up shared by the tool's commands: translations, catalogue, message
// language, tool title and banner.
#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// Opens /dev/null on whichever of descriptors 0, 1 and 2 is closed, so that
// no file the run opens later lands on one of them (and receives its
// messages). Called first, before the toolkit opens anything.
void open_standard_descriptors();

// The base names of the translation files, in loading order.
QStringList catalogue_prefixes();

// Installs one translator per prefix from $TOLVEXDIR/lib/locale; ends the
// process (status 7) when TOLVEXDIR is unset or empty.
void load_translators(QCoreApplication& application, const QStringList& prefixes);

// script_language from MORVALAN (FR 0, FA 1, GB or anything else 2).
int language_from_environment();

// The translated title for a tool identity ("C", "C++", "ADA", other).
QString title_for_identity(const char* identity);

// The STARTEXEC line and, unless MORVA_SUPPRESS_COPYRIGHT is set, the COPYRIGHT line.
void print_banner(const QString& tool_title);

// Steps 1-7 of every command: application object given, translators,
// catalogue, language, banner.
void start_tool(QCoreApplication& application);
