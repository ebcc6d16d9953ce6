// The option table of morvastart. Both French columns hold the same name;
// no option is negatable or has a default, and every option with a value
// needs one. Both positional parameters are mandatory: a run without a
// tested file or a script name has nothing sound to generate.
#include "driver/option_table.h"

namespace {

const char* const english_usage =
    "\nUsage morvastart:\n\t<tested_file>\n\t<generated_file>\n\t[-LANGUAGE=<language_name>]\n"
    "\t[-INTEGRATE=<integrated_file>[,integrated_file]]\n\t[-SIMULATE=<simulated_file>[,simulated_file]]\n"
    "\t[-INSERT]\n\t[-USE=<used_file>[,used_file]]\n\t[-INCL=<directory>[,directory]]\n"
    "\t[-DEFINE=<identifier>[,identifier]]\n\t[-STD_DEFINE=<define_file>]\n\t[-ADALINK=<ada_link_file>]\n"
    "\t[-NOPATH]\n\t[-SYMBTAB=<symbtab_file>]\n\t[-PREPRO_ONLY]\n"
    "\t[-RESTRICTION=<NOALLOC|SEPAR|NOSQLSAV|ANSI|KR|NOPOS|NOIMAGE|NOEXCEP>"
    "[=NOALLOC|SEPAR|NOSQLSAV|ANSI|KR|NOPOS|NOIMAGE|NOEXCEP]]\n"
    "\t[-STANDARD=<ada_standard_file>]\n\t[-CLASS=<class_name>]\n\t[-SERVICE=<service_name>]\n";

const char* const french_usage =
    "\nUtilisation de morvastart :\n\t<fichier_teste>\n\t<fichier_genere>\n\t[-LANGAGE=<nom_langage>]\n"
    "\t[-INTEGRE=<fichier_integre>[,fichier_integre]]\n\t[-SIMULE=<fichier_simule>[,fichier_simule]]\n"
    "\t[-INSERE]\n\t[-UTILISE=<fichier_utilise>[,fichier_utilise]]\n\t[-INCL=<repertoire>[,repertoire]]\n"
    "\t[-DEFINIR=<identificateur>[,identificateur]]\n\t[-DEFINE_STD=<fichier_define>]\n"
    "\t[-ADALIEN=<fichier_lien_ada>]\n\t[-NOPATH]\n\t[-TABSYMB=<fichier_tabsymb>]\n\t[-PREPRO_SEUL]\n"
    "\t[-RESTRICTION=<NOALLOC|SEPAR|NOSQLSAV|ANSI|KR|NOPOS|NOIMAGE|NOEXCEP>"
    "[=NOALLOC|SEPAR|NOSQLSAV|ANSI|KR|NOPOS|NOIMAGE|NOEXCEP]]\n"
    "\t[-STANDARD=<fichier_standard_ada>]\n\t[-CLASSE=<nom_classe>]\n\t[-SERVICE=<nom_service>]\n";

argument_type value_type(const char* french, const char* english, char kind, char list, long min, long max)
{
    return {.names = {french, french, english}, .kind = kind, .list_allowed = list, .min = min, .max = max};
}

option_record with_value(const char* french, const char* english, argument_type type)
{
    return {.names = {french, french, english}, .value_mandatory = 1, .argument = std::move(type)};
}

option_record text_option(const char* french, const char* english, const char* french_value,
                          const char* english_value, char list)
{
    return with_value(french, english, value_type(french_value, english_value, 'C', list, 1, 255));
}

option_record flag_option(const char* french, const char* english)
{
    return {.names = {french, french, english}};
}

option_record restriction_option()
{
    option_record option = text_option("RESTRICTION", "RESTRICTION", "restriction", "restriction", 'Y');
    for (const char* keyword : {"NOEXCEP", "NOIMAGE", "NOPOS", "KR", "ANSI", "NOSQLSAV", "SEPAR", "NOALLOC"})
        option.keywords.push_back({.names = {keyword, keyword, keyword}});
    return option;
}

argument_type positional(const char* french, const char* english)
{
    argument_type type = value_type(french, english, 'C', 'N', 1, 255);
    type.mandatory = 1;
    return type;
}

} // namespace

command_table make_morvastart_table()
{
    command_table table;
    table.options = {
        text_option("LANGAGE", "LANGUAGE", "nom_langage", "language_name", 'N'),
        text_option("INTEGRE", "INTEGRATE", "fichier_integre", "integrated_file", 'Y'),
        text_option("SIMULE", "SIMULATE", "fichier_simule", "simulated_file", 'Y'),
        flag_option("INSERE", "INSERT"),
        text_option("UTILISE", "USE", "fichier_utilise", "used_file", 'Y'),
        text_option("INCL", "INCL", "repertoire", "directory", 'Y'),
        text_option("DEFINIR", "DEFINE", "identificateur", "identifier", 'Y'),
        text_option("DEFINE_STD", "STD_DEFINE", "fichier_define", "define_file", 'N'),
        text_option("ADALIEN", "ADALINK", "fichier_lien_ada", "ada_link_file", 'N'),
        flag_option("NOPATH", "NOPATH"),
        text_option("TABSYMB", "SYMBTAB", "fichier_tabsymb", "symbtab_file", 'N'),
        flag_option("PREPRO_SEUL", "PREPRO_ONLY"),
        restriction_option(),
        text_option("STANDARD", "STANDARD", "fichier_standard_ada", "ada_standard_file", 'N'),
        text_option("CLASSE", "CLASS", "nom_classe", "class_name", 'N'),
        text_option("SERVICE", "SERVICE", "nom_service", "service_name", 'N'),
        text_option("VESTRA_LOG", "VESTRA_LOG", "fichier_vestra_log", "vestra_log_file", 'N'),
        with_value("XT", "XT", value_type("niveau", "level", 'I', 'Y', 0, 255)),
        text_option("METRIQUES", "METRICS", "rep_metriques", "metrics_directory", 'N'),
        flag_option("ONE_LEVEL_METRICS", "ONE_LEVEL_METRICS"),
        with_value("RESTRICT_DIR_METRICS", "RESTRICT_DIR_METRICS",
                   value_type("rep-restriction", "restriction-dir", 'C', 'Y', 1, 1024)),
    };
    table.positionals = {positional("fichier_teste", "tested_file"), positional("fichier_genere", "generated_file")};
    table.usage = {french_usage, french_usage, english_usage};
    return table;
}

command_table& morvastart_table()
{
    static command_table table = make_morvastart_table();
    return table;
}
