<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="en_US">
<context>
    <name>Count</name>
    <message numerus="yes">
        <source>%Ln row(s)</source>
        <translation>
            <numerusform>%Ln row</numerusform>
            <numerusform>%Ln rows</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln cell(s)</source>
        <translation>
            <numerusform>%Ln cell</numerusform>
            <numerusform>%Ln cells</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln column(s)</source>
        <translation>
            <numerusform>%Ln column</numerusform>
            <numerusform>%Ln columns</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln channel(s)</source>
        <translation>
            <numerusform>%Ln channel</numerusform>
            <numerusform>%Ln channels</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln line(s)</source>
        <translation>
            <numerusform>%Ln line</numerusform>
            <numerusform>%Ln lines</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln problem(s)</source>
        <translation>
            <numerusform>%Ln problem</numerusform>
            <numerusform>%Ln problems</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln notice(s)</source>
        <translation>
            <numerusform>%Ln notice</numerusform>
            <numerusform>%Ln notices</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln record(s)</source>
        <translation>
            <numerusform>%Ln record</numerusform>
            <numerusform>%Ln records</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln character(s)</source>
        <translation>
            <numerusform>%Ln character</numerusform>
            <numerusform>%Ln characters</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln page(s)</source>
        <translation>
            <numerusform>%Ln page</numerusform>
            <numerusform>%Ln pages</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln empty row(s)</source>
        <translation>
            <numerusform>%Ln empty row</numerusform>
            <numerusform>%Ln empty rows</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln broadcast(s)</source>
        <translation>
            <numerusform>%Ln broadcast</numerusform>
            <numerusform>%Ln broadcasts</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>corvalen::ScheduleDialog</name>
    <message numerus="yes">
        <source>%1 of %2 pass, on %Ln channel(s)</source>
        <translation>
            <numerusform>%1 of %2 pass, on %Ln channel</numerusform>
            <numerusform>%1 of %2 pass, on %Ln channels</numerusform>
        </translation>
    </message>
</context>
</TS>
