<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name></name>
    <message id="Quellin ヘルプ">
        <source></source>
        <translation>Quellin help</translation>
    </message>
    <message id="目次">
        <source></source>
        <translation>Contents</translation>
    </message>
    <message id="戻る">
        <source></source>
        <translation>Back</translation>
    </message>
    <message id="進む">
        <source></source>
        <translation>Forward</translation>
    </message>
    <message id="Quellin ヘルプ － ">
        <source></source>
        <translation>Quellin help - </translation>
    </message>
    <message id="ヘルプを検索">
        <source></source>
        <translation>Search help</translation>
    </message>
    <message id="「%1」は見つかりません。">
        <source></source>
        <translation>"%1" not found.</translation>
    </message>
    <message id="%1（%2）">
        <source></source>
        <translation>%1 (%2)</translation>
    </message>
</context>
</TS>
