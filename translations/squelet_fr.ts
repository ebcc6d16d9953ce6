<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>Internal Error (squelet)</name>
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
        <source>%1No message defined</source>
        <comment>Error code is "NOMESSDEF"</comment>
        <translation>%1Aucun message défini</translation>
    </message>
</context>
<context>
    <name>Fatal Error (squelet)</name>
    <message>
        <source>%1Bad command: %2</source>
        <comment>Error code is "CMDERREUR"</comment>
        <translation>%1Commande incorrecte : %2</translation>
    </message>
    <message>
        <source>%1Unable to write the file %2</source>
        <comment>Error code is "IMPECRFIC"</comment>
        <translation>%1Impossible d'écrire le fichier %2</translation>
    </message>
    <message>
        <source>%1Unable to close the file %2</source>
        <comment>Error code is "IMPFERFIC"</comment>
        <translation>%1Impossible de fermer le fichier %2</translation>
    </message>
    <message>
        <source>%1Unable to open the file %2</source>
        <comment>Error code is "IMPOUVFIC"</comment>
        <translation>%1Impossible d'ouvrir le fichier %2</translation>
    </message>
    <message>
        <source>%1System error %2</source>
        <comment>Error code is "ERRERRNO"</comment>
        <translation>%1Erreur système %2</translation>
    </message>
    <message>
        <source>%1Unable to rename the file 'generated_file' in 'generated_file'_bck: %2</source>
        <comment>Error code is "IMPFICREN"</comment>
        <translation>%1Impossible de renommer le fichier 'fichier_genere' en 'fichier_genere'_bck : %2</translation>
    </message>
</context>
<context>
    <name>Error (squelet)</name>
    <message>
        <source>%1Usage error %2</source>
        <comment>Error code is "ERRUTILIS"</comment>
        <translation>%1Erreur d'utilisation %2</translation>
    </message>
</context>
<context>
    <name>Informations (squelet)</name>
    <message>
        <source>%1The file 'generated_file' has been renamed in 'generated_file'_bck: %2</source>
        <comment>Error code is "FICRENAME"</comment>
        <translation>%1Le fichier 'fichier_genere' a été renommé en 'fichier_genere'_bck : %2</translation>
    </message>
    <message>
        <source>%1tests plan %2 was not generated</source>
        <comment>Error code is "NOGENERAT"</comment>
        <translation>%1le plan de tests %2 n'a pas été généré</translation>
    </message>
</context>
<context>
    <name>CmdLine</name>
    <message>
        <source>improper -SERVICE option</source>
        <comment>First parameter (%1) for CMDERREUR error</comment>
        <translation>option -SERVICE inappropriée</translation>
    </message>
    <message>
        <source>improper RESTR=KR option</source>
        <comment>First parameter (%1) for CMDERREUR error</comment>
        <translation>option RESTR=KR inappropriée</translation>
    </message>
    <message>
        <source>ZRLTGT value too long for the default -STD_DEFINE file</source>
        <comment>First parameter (%1) for CMDERREUR error</comment>
        <translation>valeur de ZRLTGT trop longue pour le fichier -STD_DEFINE par défaut</translation>
    </message>
    <message>
        <source>file name longer than 1023 characters:</source>
        <translation>nom de fichier de plus de 1023 caractères :</translation>
    </message>
    <message>
        <source>the generated file is an input file:</source>
        <translation>le fichier généré est un fichier d'entrée :</translation>
    </message>
    <message>
        <source>the generated file is written twice:</source>
        <translation>le fichier généré est écrit deux fois :</translation>
    </message>
</context>
</TS>
