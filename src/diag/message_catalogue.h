// The message catalogue: code -> message text in the user's language, filled
// once at start-up from four registration tables, later groups replacing the
// texts of codes that earlier groups registered too.
#pragma once

#include <QString>

void register_message(const QString& code, const QString& text);
void register_messages_squelet();
void register_messages_modbas();
void register_messages_bibli();
void register_messages_anaccpp();

// All four, in the driver's order.
void register_all_messages();

// The text of a code; false when the code has no entry.
bool lookup_message(const QString& code, QString* text);
