<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>PLOVIdent</name>
    <message>
        <source>Kelvane</source>
        <translation>Kelvane</translation>
    </message>
    <message>
        <source>C Source Code Parser</source>
        <translation>Analyseur de code source C</translation>
    </message>
    <message>
        <source>Deprecated C++ Test Template Generator</source>
        <translation>Générateur obsolète de squelettes de test C++</translation>
    </message>
    <message>
        <source>Ada Source Code Parser</source>
        <translation>Analyseur de code source Ada</translation>
    </message>
    <message>
        <source>4.1.0.2.117.006</source>
        <translation>4.1.0.2.117.006</translation>
    </message>
    <message>
        <source>Copyright (C) 2026 Kelvane Software.</source>
        <translation>Copyright (C) 2026 Kelvane Logiciels.</translation>
    </message>
    <message>
        <source>All rights reserved.</source>
        <translation>Tous droits réservés.</translation>
    </message>
</context>
<context>
    <name>morvastartC</name>
    <message>
        <source>Unit Test Template Generator</source>
        <comment>Default message displayed when the tool is started</comment>
        <translation>Générateur de squelettes de test unitaire</translation>
    </message>
</context>
</TS>
