<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>CAB</name>
    <message>
        <source>Kelvane</source>
        <translation>Kelvane</translation>
    </message>
    <message>
        <source>Command analysis</source>
        <translation>Analyse de la commande</translation>
    </message>
    <message>
        <source>Arg value too small,</source>
        <translation>Valeur d'argument trop petite,</translation>
    </message>
    <message>
        <source>Arg value too large,</source>
        <translation>Valeur d'argument trop grande,</translation>
    </message>
    <message>
        <source>Arg length too small,</source>
        <translation>Longueur d'argument trop petite,</translation>
    </message>
    <message>
        <source>Arg length too large,</source>
        <translation>Longueur d'argument trop grande,</translation>
    </message>
    <message>
        <source>Too many arguments invalid argument,</source>
        <translation>Trop d'arguments, argument invalide,</translation>
    </message>
    <message>
        <source>List forbidden invalid argument,</source>
        <translation>Liste interdite, argument invalide,</translation>
    </message>
    <message>
        <source>Unknown option,</source>
        <translation>Option inconnue,</translation>
    </message>
    <message>
        <source>Invalid character following option,</source>
        <translation>Caractère invalide après l'option,</translation>
    </message>
    <message>
        <source>An option can't be used twice,</source>
        <translation>Une option ne peut pas être utilisée deux fois,</translation>
    </message>
    <message>
        <source>Mandatory argument for this option,</source>
        <translation>Argument obligatoire pour cette option,</translation>
    </message>
    <message>
        <source>No argument for this option,</source>
        <translation>Pas d'argument pour cette option,</translation>
    </message>
    <message>
        <source>List forbidden invalid option,</source>
        <translation>Liste interdite, option invalide,</translation>
    </message>
    <message>
        <source>Argument missing,</source>
        <translation>Argument manquant,</translation>
    </message>
    <message>
        <source>Ambiguous option,</source>
        <translation>Option ambiguë,</translation>
    </message>
    <message>
        <source>Unknown value of option,</source>
        <translation>Valeur d'option inconnue,</translation>
    </message>
    <message>
        <source>Ambiguous value of option,</source>
        <translation>Valeur d'option ambiguë,</translation>
    </message>
    <message>
        <source>Illegal combination of command elements,</source>
        <translation>Combinaison illégale d'éléments de la commande,</translation>
    </message>
    <message>
        <source>File not found</source>
        <translation>Fichier introuvable</translation>
    </message>
    <message>
        <source>Command analysis: No memory left</source>
        <translation>Analyse de la commande : plus de mémoire</translation>
    </message>
    <message>
        <source>Internal error, bad option name</source>
        <translation>Erreur interne, nom d'option incorrect</translation>
    </message>
</context>
<context>
    <name>Command-line</name>
    <message>
        <source>
Usage morvastart:
	&lt;tested_file&gt;
	&lt;generated_file&gt;
	[-LANGUAGE=&lt;language_name&gt;]
	[-INTEGRATE=&lt;integrated_file&gt;[,integrated_file]]
	[-SIMULATE=&lt;simulated_file&gt;[,simulated_file]]
	[-INSERT]
	[-USE=&lt;used_file&gt;[,used_file]]
	[-INCL=&lt;directory&gt;[,directory]]
	[-DEFINE=&lt;identifier&gt;[,identifier]]
	[-STD_DEFINE=&lt;define_file&gt;]
	[-ADALINK=&lt;ada_link_file&gt;]
	[-NOPATH]
	[-SYMBTAB=&lt;symbtab_file&gt;]
	[-PREPRO_ONLY]
	[-RESTRICTION=&lt;NOALLOC|SEPAR|NOSQLSAV|ANSI|KR|NOPOS|NOIMAGE|NOEXCEP&gt;[=NOALLOC|SEPAR|NOSQLSAV|ANSI|KR|NOPOS|NOIMAGE|NOEXCEP]]
	[-STANDARD=&lt;ada_standard_file&gt;]
	[-CLASS=&lt;class_name&gt;]
	[-SERVICE=&lt;service_name&gt;]
</source>
        <translation>
Utilisation de morvastart :
	&lt;fichier_teste&gt;
	&lt;fichier_genere&gt;
	[-LANGAGE=&lt;nom_langage&gt;]
	[-INTEGRE=&lt;fichier_integre&gt;[,fichier_integre]]
	[-SIMULE=&lt;fichier_simule&gt;[,fichier_simule]]
	[-INSERE]
	[-UTILISE=&lt;fichier_utilise&gt;[,fichier_utilise]]
	[-INCL=&lt;repertoire&gt;[,repertoire]]
	[-DEFINIR=&lt;identificateur&gt;[,identificateur]]
	[-DEFINE_STD=&lt;fichier_define&gt;]
	[-ADALIEN=&lt;fichier_lien_ada&gt;]
	[-NOPATH]
	[-TABSYMB=&lt;fichier_tabsymb&gt;]
	[-PREPRO_SEUL]
	[-RESTRICTION=&lt;NOALLOC|SEPAR|NOSQLSAV|ANSI|KR|NOPOS|NOIMAGE|NOEXCEP&gt;[=NOALLOC|SEPAR|NOSQLSAV|ANSI|KR|NOPOS|NOIMAGE|NOEXCEP]]
	[-STANDARD=&lt;fichier_standard_ada&gt;]
	[-CLASSE=&lt;nom_classe&gt;]
	[-SERVICE=&lt;nom_service&gt;]
	[-XT=&lt;niveau&gt;[,niveau]]
</translation>
    </message>
    <message>
        <source>
Usage morvacpp:
	&lt;file&gt;
	[-INCL=&lt;directory&gt;[,directory]]
	[-DEFINE=&lt;identifier&gt;[,identifier]]
	[-STD_DEFINE=&lt;define_file&gt;]
	[-PREPRO_ONLY]
</source>
        <translation>
Utilisation de morvacpp :
	&lt;fichier&gt;
	[-INCL=&lt;repertoire&gt;[,repertoire]]
	[-DEFINIR=&lt;identificateur&gt;[,identificateur]]
	[-DEFINE_STD=&lt;fichier_define&gt;]
	[-PREPRO_SEUL]
</translation>
    </message>
    <message>
        <source>file</source>
        <translation>fichier</translation>
    </message>
    <message>
        <source>tested_file</source>
        <translation>fichier_teste</translation>
    </message>
    <message>
        <source>generated_file</source>
        <translation>fichier_genere</translation>
    </message>
</context>
</TS>
