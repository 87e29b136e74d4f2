<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>ContentView</name>
    <message numerus="yes">
        <source>Rename %n file(s)?</source>
        <translation>
            <numerusform>Rename %n file?</numerusform>
            <numerusform>Rename %n files?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Warning: %n conflict(s) detected. Conflicting files will be skipped.</source>
        <translation>
            <numerusform>Warning: %n conflict detected. Conflicting files will be skipped.</numerusform>
            <numerusform>Warning: %n conflicts detected. Conflicting files will be skipped.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file(s)</source>
        <translation>
            <numerusform>%n file</numerusform>
            <numerusform>%n files</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n selected</source>
        <translation>
            <numerusform>%n selected</numerusform>
            <numerusform>%n selected</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n conflict(s)</source>
        <translation>
            <numerusform>%n conflict</numerusform>
            <numerusform>%n conflicts</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n unusable name(s)</source>
        <translation>
            <numerusform>%n unusable name</numerusform>
            <numerusform>%n unusable names</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n rule(s)</source>
        <translation>
            <numerusform>%n rule</numerusform>
            <numerusform>%n rules</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n checked item(s) hidden by the filter will not be renamed.</source>
        <translation>
            <numerusform>%n checked item hidden by the filter will not be renamed.</numerusform>
            <numerusform>%n checked items hidden by the filter will not be renamed.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>A rename of %n item(s) was interrupted on %1.</source>
        <translation>
            <numerusform>A rename of %n item was interrupted on %1.</numerusform>
            <numerusform>A rename of %n items was interrupted on %1.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>EditNamesDialog</name>
    <message numerus="yes">
        <source>%n line(s) changed.</source>
        <translation>
            <numerusform>%n line changed.</numerusform>
            <numerusform>%n lines changed.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n more line(s) with a problem.</source>
        <translation>
            <numerusform>%n more line with a problem.</numerusform>
            <numerusform>%n more lines with a problem.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FileListView</name>
    <message numerus="yes">
        <source>%n file(s)</source>
        <translation>
            <numerusform>%n file</numerusform>
            <numerusform>%n files</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n selected</source>
        <translation>
            <numerusform>%n selected</numerusform>
            <numerusform>%n selected</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n shown</source>
        <translation>
            <numerusform>%n shown</numerusform>
            <numerusform>%n shown</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>HistoryDialog</name>
    <message numerus="yes">
        <source>%n journal(s) cannot be read and were kept aside: %1</source>
        <translation>
            <numerusform>%n journal cannot be read and was kept aside: %1</numerusform>
            <numerusform>%n journals cannot be read and were kept aside: %1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PreviewPanelView</name>
    <message numerus="yes">
        <source>%n conflict(s)</source>
        <translation>
            <numerusform>%n conflict</numerusform>
            <numerusform>%n conflicts</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n of %1 will be renamed</source>
        <translation>
            <numerusform>%n of %1 will be renamed</numerusform>
            <numerusform>%n of %1 will be renamed</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>RenameResultView</name>
    <message numerus="yes">
        <source>Cancelled: %n item not attempted</source>
        <translation>
            <numerusform>Cancelled: %n item not attempted</numerusform>
            <numerusform>Cancelled: %n item not attempted</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Cancelled: %n items not attempted</source>
        <translation>
            <numerusform>Cancelled: %n items not attempted</numerusform>
            <numerusform>Cancelled: %n items not attempted</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>RuleEditorView</name>
    <message numerus="yes">
        <source>%n rule(s)</source>
        <translation>
            <numerusform>%n rule</numerusform>
            <numerusform>%n rules</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n of its presets could not be read and are not shown.</source>
        <translation>
            <numerusform>%n of its presets could not be read and are not shown.</numerusform>
            <numerusform>%n of its presets could not be read and are not shown.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>RuleSummary</name>
    <message numerus="yes">
        <source>Remove the first %n character(s)</source>
        <translation>
            <numerusform>Remove the first %n character</numerusform>
            <numerusform>Remove the first %n characters</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Remove the last %n character(s)</source>
        <translation>
            <numerusform>Remove the last %n character</numerusform>
            <numerusform>Remove the last %n characters</numerusform>
        </translation>
    </message>
</context>
</TS>
