<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>Warning (ana_c_cpp)</name>
    <message>
        <source>%1Assignment not allowed in Unit Testing expressions %2</source>
        <comment>Error code is "AFFECTATI"</comment>
        <translation>%1Affectation interdite dans les expressions de test unitaire %2</translation>
    </message>
    <message>
        <source>%1%2 argument starts with punctuation</source>
        <comment>Error code is "ARGPUNCTU"</comment>
        <translation>%1l'argument %2 commence par une ponctuation</translation>
    </message>
    <message>
        <source>%1Unexpected argument for macro %2</source>
        <comment>Error code is "ARGTOMACR"</comment>
        <translation>%1Argument inattendu pour la macro %2</translation>
    </message>
    <message>
        <source>%1Bad parameter list in `#define' directive: %2</source>
        <comment>Error code is "BADPARDEF"</comment>
        <translation>%1Liste de paramètres incorrecte dans la directive `#define' : %2</translation>
    </message>
    <message>
        <source>%1Unknown field %2</source>
        <comment>Error code is "CHAMPINCO"</comment>
        <translation>%1Champ inconnu %2</translation>
    </message>
    <message>
        <source>%1Unknown constructor %2</source>
        <comment>Error code is "CONSTRINC"</comment>
        <translation>%1Constructeur inconnu %2</translation>
    </message>
    <message>
        <source>%1Bad construction %2</source>
        <comment>Error code is "CONSTRUCT"</comment>
        <translation>%1Construction incorrecte %2</translation>
    </message>
    <message>
        <source>%1Empty character constant %2</source>
        <comment>Error code is "CSTCARVID"</comment>
        <translation>%1Constante caractère vide %2</translation>
    </message>
    <message>
        <source>%1Division by zero in %2</source>
        <comment>Error code is "DIVISZERO"</comment>
        <translation>%1Division par zéro dans %2</translation>
    </message>
    <message>
        <source>%1 %2 after else</source>
        <comment>Error code is "ELIFAELSE"</comment>
        <translation>%1 %2 après else</translation>
    </message>
    <message>
        <source>%1Empty %2 expression</source>
        <comment>Error code is "EMPTYEXPR"</comment>
        <translation>%1Expression %2 vide</translation>
    </message>
    <message>
        <source>%1Integer constant %2 out of range</source>
        <comment>Error code is "ENTOUTRAN"</comment>
        <translation>%1Constante entière %2 hors limites</translation>
    </message>
    <message>
        <source>%1The `defined' directive  must be followed by ident or (ident)  %2</source>
        <comment>Error code is "ERDEFINED"</comment>
        <translation>%1La directive `defined' doit être suivie de ident ou (ident)  %2</translation>
    </message>
    <message>
        <source>%1#include expects a filename: %2</source>
        <comment>Error code is "ERINCLUDE"</comment>
        <translation>%1#include attend un nom de fichier : %2</translation>
    </message>
    <message>
        <source>%1Error after end of expression: %2</source>
        <comment>Error code is "ERRAFTEND"</comment>
        <translation>%1Erreur après la fin de l'expression : %2</translation>
    </message>
    <message>
        <source>%1Error in line: %2</source>
        <comment>Error code is "ERRINLINE"</comment>
        <translation>%1Erreur dans la ligne : %2</translation>
    </message>
    <message>
        <source>%1Bad expression: %2</source>
        <comment>Error code is "EXPERRONE"</comment>
        <translation>%1Expression incorrecte : %2</translation>
    </message>
    <message>
        <source>%1Preprocessor error: not in any file %2</source>
        <comment>Error code is "FICINCONN"</comment>
        <translation>%1Erreur du préprocesseur : hors de tout fichier %2</translation>
    </message>
    <message>
        <source>%1Incorrect function definition: %2</source>
        <comment>Error code is "FUNCT_DEF"</comment>
        <translation>%1Définition de fonction incorrecte : %2</translation>
    </message>
    <message>
        <source>%1Warning: %2 redefined</source>
        <comment>Error code is "IDENREDEF"</comment>
        <translation>%1Attention : %2 redéfini</translation>
    </message>
    <message>
        <source>%1Unknown ident %2</source>
        <comment>Error code is "IDENTIINC"</comment>
        <translation>%1Identificateur inconnu %2</translation>
    </message>
    <message>
        <source>%1Incorrect pointer member: %2</source>
        <comment>Error code is "INCPOIMEM"</comment>
        <translation>%1Membre pointeur incorrect : %2</translation>
    </message>
    <message>
        <source>%1Bad end of line after %2 argument</source>
        <comment>Error code is "INVALIEND"</comment>
        <translation>%1Fin de ligne incorrecte après l'argument %2</translation>
    </message>
    <message>
        <source>%1invalid macro name %2</source>
        <comment>Error code is "INVAMACRO"</comment>
        <translation>%1nom de macro invalide %2</translation>
    </message>
    <message>
        <source>%1Invalid member selection of a non structure or union %2</source>
        <comment>Error code is "INVCHASTR"</comment>
        <translation>%1Sélection de membre invalide sur autre chose qu'une structure ou union %2</translation>
    </message>
    <message>
        <source>%1Malformatted character constant: %2</source>
        <comment>Error code is "INVCSTCAR"</comment>
        <translation>%1Constante caractère mal formée : %2</translation>
    </message>
    <message>
        <source>%1Impossible defining `defined' as a macro %2</source>
        <comment>Error code is "INVDEFINE"</comment>
        <translation>%1Impossible de définir `defined' comme macro %2</translation>
    </message>
    <message>
        <source>%1Preprocessor error: invalid special hash type %2</source>
        <comment>Error code is "INVHASTYP"</comment>
        <translation>%1Erreur du préprocesseur : type spécial de hachage invalide %2</translation>
    </message>
    <message>
        <source>%1Malformed option %2</source>
        <comment>Error code is "MALFOROPT"</comment>
        <translation>%1Option mal formée %2</translation>
    </message>
    <message>
        <source>%1Incorrect access modifier: unknown inherited member %2 </source>
        <comment>Error code is "MODACCINC"</comment>
        <translation>%1Modificateur d'accès incorrect : membre hérité inconnu %2 </translation>
    </message>
    <message>
        <source>%1Multi-character character constant %2</source>
        <comment>Error code is "MULCARCST"</comment>
        <translation>%1Constante caractère de plusieurs caractères %2</translation>
    </message>
    <message>
        <source>%1Bad number of arg(s) to macro %2</source>
        <comment>Error code is "NBARGMACR"</comment>
        <translation>%1Nombre d'arguments incorrect pour la macro %2</translation>
    </message>
    <message>
        <source>%1%2 with no argument</source>
        <comment>Error code is "NOARGUMEN"</comment>
        <translation>%1%2 sans argument</translation>
    </message>
    <message>
        <source>%1No argument passed to macro %2</source>
        <comment>Error code is "NOARTOMAC"</comment>
        <translation>%1Aucun argument passé à la macro %2</translation>
    </message>
    <message>
        <source>%1%2 directive not within conditional</source>
        <comment>Error code is "NOCONDITI"</comment>
        <translation>%1directive %2 hors de toute condition</translation>
    </message>
    <message>
        <source>%1Octal or hex character constant does not fit in a byte %2</source>
        <comment>Error code is "NOFITBYTE"</comment>
        <translation>%1Constante caractère octale ou hexadécimale trop grande pour un octet %2</translation>
    </message>
    <message>
        <source>%1\x used with no following hex digits %2</source>
        <comment>Error code is "NOHEXDIGI"</comment>
        <translation>%1\x sans chiffre hexadécimal %2</translation>
    </message>
    <message>
        <source>%1%2 is not a function</source>
        <comment>Error code is "NONFONCTI"</comment>
        <translation>%1%2 n'est pas une fonction</translation>
    </message>
    <message>
        <source>%1%2 is not a pointeur</source>
        <comment>Error code is "NONPOINTE"</comment>
        <translation>%1%2 n'est pas un pointeur</translation>
    </message>
    <message>
        <source>%1%2 is not an array</source>
        <comment>Error code is "NONTABLEA"</comment>
        <translation>%1%2 n'est pas un tableau</translation>
    </message>
    <message>
        <source>%1Not pointed structure or union %2</source>
        <comment>Error code is "NOPOSTRUC"</comment>
        <translation>%1Structure ou union non pointée %2</translation>
    </message>
    <message>
        <source>%1%2 operation only allowed on numeric types (integer or real)</source>
        <comment>Error code is "OPERARITH"</comment>
        <translation>%1opération %2 permise seulement sur les types numériques (entier ou réel)</translation>
    </message>
    <message>
        <source>%1%2 operation only allowed on integer types</source>
        <comment>Error code is "OPERENTIE"</comment>
        <translation>%1opération %2 permise seulement sur les types entiers</translation>
    </message>
    <message>
        <source>%1`#' operator should be followed by a macro argument name: %2</source>
        <comment>Error code is "OPERMACRO"</comment>
        <translation>%1l'opérateur `#' doit être suivi d'un nom d'argument de macro : %2</translation>
    </message>
    <message>
        <source>%1%2 operation only allowed on scalar types (integer, real, enum, pointer)</source>
        <comment>Error code is "OPERSCALA"</comment>
        <translation>%1opération %2 permise seulement sur les types scalaires (entier, réel, énuméré, pointeur)</translation>
    </message>
    <message>
        <source>%1Parameter name n `#define' starts with a digit: %2</source>
        <comment>Error code is "PARASTART"</comment>
        <translation>%1Le nom de paramètre de `#define' commence par un chiffre : %2</translation>
    </message>
    <message>
        <source>%1Pointed structure or union %2</source>
        <comment>Error code is "POINSTRUC"</comment>
        <translation>%1Structure ou union pointée %2</translation>
    </message>
    <message>
        <source>%1Post-incrementation not allowed in Unit Testing expressions %2</source>
        <comment>Error code is "POSTDECRE"</comment>
        <translation>%1Post-incrémentation interdite dans les expressions de test unitaire %2</translation>
    </message>
    <message>
        <source>%1Post-incrementation not allowed in Unit Testing expressions %2</source>
        <comment>Error code is "POSTINCRE"</comment>
        <translation>%1Post-incrémentation interdite dans les expressions de test unitaire %2</translation>
    </message>
    <message>
        <source>%1Structure or union data type %2 redefined</source>
        <comment>Error code is "REDEFSTRU"</comment>
        <translation>%1Type structure ou union %2 redéfini</translation>
    </message>
    <message>
        <source>%1Symbol %2 redefined</source>
        <comment>Error code is "REDEFSYMB"</comment>
        <translation>%1Symbole %2 redéfini</translation>
    </message>
    <message>
        <source>%1Unknown escape sequence %2</source>
        <comment>Error code is "SEQUEINCO"</comment>
        <translation>%1Séquence d'échappement inconnue %2</translation>
    </message>
    <message>
        <source>%1"exp1, exp2, .." expressions not allowed in Unit Testing expressions %2</source>
        <comment>Error code is "SOUSEXPRE"</comment>
        <translation>%1expressions "exp1, exp2, .." interdites dans les expressions de test unitaire %2</translation>
    </message>
    <message>
        <source>%1%2 argument starts with a digit</source>
        <comment>Error code is "STARTDIGI"</comment>
        <translation>%1l'argument %2 commence par un chiffre</translation>
    </message>
    <message>
        <source>%1Syntax error: %2</source>
        <comment>Error code is "SYNTAXERR"</comment>
        <translation>%1Erreur de syntaxe : %2</translation>
    </message>
    <message>
        <source>Incorrect template instantiation: %1</source>
        <comment>Error code is "TEMINSINC"</comment>
        <translation>Instanciation de template incorrecte : %1</translation>
    </message>
    <message>
        <source>%1Incorrect template declaration: %2</source>
        <comment>Error code is "TEMPLADEC"</comment>
        <translation>%1Déclaration de template incorrecte : %2</translation>
    </message>
    <message>
        <source>%1Too long character constant %2</source>
        <comment>Error code is "TOLOCSTCA"</comment>
        <translation>%1Constante caractère trop longue %2</translation>
    </message>
    <message>
        <source>%1Too many args to macro %2</source>
        <comment>Error code is "TOMANYARG"</comment>
        <translation>%1Trop d'arguments pour la macro %2</translation>
    </message>
    <message>
        <source>%1Different types in list %2</source>
        <comment>Error code is "TYPESDIFF"</comment>
        <translation>%1Types différents dans la liste %2</translation>
    </message>
    <message>
        <source>%1Incorrect type modifier %2</source>
        <comment>Error code is "TYPMODINC"</comment>
        <translation>%1Modificateur de type incorrect %2</translation>
    </message>
    <message>
        <source>%1unbalanced endif %2</source>
        <comment>Error code is "UNBAENDIF"</comment>
        <translation>%1endif non apparié %2</translation>
    </message>
    <message>
        <source>%1Undefining %2</source>
        <comment>Error code is "UNDEFININ"</comment>
        <translation>%1Suppression de la définition de %2</translation>
    </message>
    <message>
        <source>%1unterminated comment %2</source>
        <comment>Error code is "UNTERCOMM"</comment>
        <translation>%1commentaire non terminé %2</translation>
    </message>
    <message>
        <source>%1unterminated #%2 conditional</source>
        <comment>Error code is "UNTERCOND"</comment>
        <translation>%1condition #%2 non terminée</translation>
    </message>
    <message>
        <source>%1A string or character constant unterminated %2</source>
        <comment>Error code is "UNTERSTRI"</comment>
        <translation>%1Chaîne ou constante caractère non terminée %2</translation>
    </message>
    <message>
        <source>%1Unterminated parameter list in `#define' directive: %2</source>
        <comment>Error code is "UNTPARDEF"</comment>
        <translation>%1Liste de paramètres non terminée dans la directive `#define' : %2</translation>
    </message>
</context>
<context>
    <name>Internal Error (ana_c_cpp)</name>
    <message>
        <source>%1Internal error in %2</source>
        <comment>Error code is "ERRINTERN"</comment>
        <translation>%1Erreur interne dans %2</translation>
    </message>
    <message>
        <source>%1There are too many macro or include recursions %2</source>
        <comment>Error code is "NBRECURSI"</comment>
        <translation>%1Trop de récursions de macros ou d'inclusions %2</translation>
    </message>
</context>
<context>
    <name>Information (ana_c_cpp)</name>
    <message>
        <source>%1Matches line %2</source>
        <comment>Error code is "MATCHLINE"</comment>
        <translation>%1Correspond à la ligne %2</translation>
    </message>
</context>
<context>
    <name>Error (ana_c_cpp)</name>
    <message>
        <source>%1Unexpected end of file or incomplete line: %2</source>
        <comment>Error code is "UNEXP_EOF"</comment>
        <translation>%1Fin de fichier inattendue ou ligne incomplète : %2</translation>
    </message>
</context>
<context>
    <name>Warning Parameter</name>
    <message>
        <source>[min..max]</source>
        <translation>[min..max]</translation>
    </message>
    <message>
        <source>else or elif</source>
        <translation>else ou elif</translation>
    </message>
    <message>
        <source>another parameter follow "..."</source>
        <translation>un autre paramètre suit "..."</translation>
    </message>
    <message>
        <source>"..." expected</source>
        <translation>"..." attendu</translation>
    </message>
</context>
<context>
    <name>Internal Error Parameter</name>
    <message>
        <source>expression syntax analysis</source>
        <translation>analyse syntaxique d'expression</translation>
    </message>
    <message>
        <source>expression type search</source>
        <translation>recherche du type d'expression</translation>
    </message>
    <message>
        <source>expression image search</source>
        <translation>recherche de l'image d'expression</translation>
    </message>
</context>
</TS>
