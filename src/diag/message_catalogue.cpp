// The message catalogue; see message_catalogue.h. Each group registers at
// most once per process, so a second call of a registration changes nothing.
#include "diag/message_catalogue.h"

#include <QCoreApplication>
#include <QMap>

#include "diag/message_tables.h"

namespace {

QMap<QString, QString>& catalogue()
{
    static QMap<QString, QString> map;
    return map;
}

void register_table(const message_entry* entries, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) {
        const message_entry& e = entries[i];
        QString text = e.heading ? QCoreApplication::translate(e.heading, e.text, e.comment)
                                 : QString::fromLatin1(e.text);
        register_message(QString::fromLatin1(e.code), text);
    }
}

} // namespace

void register_message(const QString& code, const QString& text)
{
    catalogue().insert(code, text);
}

void register_messages_squelet()
{
    static bool done = false;
    if (!done)
        register_table(message_tables::squelet, message_tables::squelet_count);
    done = true;
}

void register_messages_modbas()
{
    static bool done = false;
    if (!done)
        register_table(message_tables::modbas, message_tables::modbas_count);
    done = true;
}

void register_messages_bibli()
{
    static bool done = false;
    if (!done)
        register_table(message_tables::bibli, message_tables::bibli_count);
    done = true;
}

void register_messages_anaccpp()
{
    static bool done = false;
    if (!done)
        register_table(message_tables::anaccpp, message_tables::anaccpp_count);
    done = true;
}

void register_all_messages()
{
    register_messages_squelet();
    register_messages_modbas();
    register_messages_bibli();
    register_messages_anaccpp();
}

bool lookup_message(const QString& code, QString* text)
{
    auto it = catalogue().constFind(code);
    if (it == catalogue().constEnd())
        return false;
    *text = it.value();
    return true;
}
