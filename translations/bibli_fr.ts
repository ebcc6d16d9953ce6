<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>Internal Errors (bibli)</name>
    <message>
        <source>%1Internal error in %2</source>
        <comment>Error code is "ERRINTERN"</comment>
        <translation>%1Erreur interne dans %2</translation>
    </message>
    <message>
        <source>%1Internal error in the function %2</source>
        <comment>Error code is "ERRINTFCT"</comment>
        <translation>%1Erreur interne dans la fonction %2</translation>
    </message>
    <message>
        <source>%1Cannot convert string %2 into an integer value</source>
        <comment>Error code is "TRFSTRINT"</comment>
        <translation>%1Impossible de convertir la chaîne %2 en valeur entière</translation>
    </message>
    <message>
        <source>%1No message defined</source>
        <comment>Error code is "NOMESSDEF"</comment>
        <translation>%1Aucun message défini</translation>
    </message>
</context>
<context>
    <name>Fatal Errors (bibli)</name>
    <message>
        <source>%1Bad command: %2</source>
        <comment>Error code is "CMDERREUR"</comment>
        <translation>%1Commande incorrecte : %2</translation>
    </message>
    <message>
        <source>%1Wrong command line %2</source>
        <comment>Error code is "CMDFATALE"</comment>
        <translation>%1Ligne de commande incorrecte %2</translation>
    </message>
    <message>
        <source>%1Full disk space %2</source>
        <comment>Error code is "IMPECRFIC"</comment>
        <translation>%1Espace disque plein %2</translation>
    </message>
    <message>
        <source>%1Cannot close the file %2</source>
        <comment>Error code is "IMPFERFIC"</comment>
        <translation>%1Impossible de fermer le fichier %2</translation>
    </message>
    <message>
        <source>%1Cannot open the file %2</source>
        <comment>Error code is "IMPOUVFIC"</comment>
        <translation>%1Impossible d'ouvrir le fichier %2</translation>
    </message>
</context>
<context>
    <name>Errors (bibli)</name>
    <message>
        <source>%1Division by zero</source>
        <comment>Error code is "DIVBYZERO"</comment>
        <translation>%1Division par zéro</translation>
    </message>
    <message>
        <source>%1Bad parameter name %2</source>
        <comment>Error code is "NOMPARINC"</comment>
        <translation>%1Nom de paramètre incorrect %2</translation>
    </message>
    <message>
        <source>%1Integer operation overflow %2</source>
        <comment>Error code is "OVERFLOW"</comment>
        <translation>%1Dépassement de capacité dans une opération entière %2</translation>
    </message>
</context>
<context>
    <name>Warnings (bibli)</name>
    <message>
        <source>%1%2 is not a directory </source>
        <comment>Error code is "INCLTYPER"</comment>
        <translation>%1%2 n'est pas un répertoire </translation>
    </message>
</context>
<context>
    <name>Error Parameter</name>
    <message>
        <source>memory overflow</source>
        <comment>Used as a parameter for 'ERRINTFCT' error message</comment>
        <translation>dépassement de mémoire</translation>
    </message>
    <message>
        <source>standard output</source>
        <comment>Used as a parameter for 'IMPECRFIC' error message</comment>
        <translation>sortie standard</translation>
    </message>
</context>
<context>
    <name>Fatal Error (cstsyst)</name>
    <message>
        <source>FATAL ERROR on '%1',
 Please contact your administrative.</source>
        <comment>'%1' is a function name</comment>
        <translation>ERREUR FATALE sur '%1',
 Veuillez contacter votre administrateur.</translation>
    </message>
</context>
</TS>
