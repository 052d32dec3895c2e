<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>ravolin::app::Navigator</name>
    <message>
        <source>データファイルを読めません。
</source>
        <translation>Cannot read the data file.
</translation>
    </message>
    <message>
        <source>ボードを表示／隠す</source>
        <translation>Show/hide the board</translation>
    </message>
    <message>
        <source>急げ!!を通知する</source>
        <translation>Notify &quot;Hurry!&quot;</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>急げ!! そろそろ出発です</source>
        <translation>Hurry! Time to leave</translation>
    </message>
    <message>
        <source>動作環境ファイルを保存できません。
</source>
        <translation>Cannot save the settings file.
</translation>
    </message>
</context>
<context>
    <name>ravolin::app::SingleInstance</name>
    <message>
        <source>同じフォルダで二つ目のラボリンが動くのを防げません。
%1
このまま起動しますが、二つ同時に動かすと、後から終了した方が設定とホテル情報を上書きします。</source>
        <translation>Ravolin cannot keep a second copy from running on this folder.
%1
It starts all the same, but if two copies run at once, the one that ends last overwrites the settings and hotel notes of the other.</translation>
    </message>
    <message>
        <source>このユーザーの普通のファイルではありません</source>
        <translation>not a plain file of this user</translation>
    </message>
    <message>
        <source>このフォルダではラボリンがすでに動いていますが、応答がありません。
%1
動いているラボリンを終了してから、もう一度起動してください。</source>
        <translation>Ravolin already runs on this folder but does not answer.
%1
End the running Ravolin, then start it again.</translation>
    </message>
</context>
<context>
    <name>ravolin::ui::HelpWindow</name>
    <message>
        <source>ラボリン&amp;ホテル情報 ヘルプ</source>
        <translation>Ravolin &amp; Hotel Guide Help</translation>
    </message>
    <message>
        <source>トピック</source>
        <translation>Topics</translation>
    </message>
    <message>
        <source>説明</source>
        <translation>Topic text</translation>
    </message>
    <message>
        <source>ヘルプファイルを読めません。
</source>
        <translation>Cannot read the help file.
</translation>
    </message>
    <message>
        <source>【目次】
</source>
        <translation>[Contents]
</translation>
    </message>
    <message>
        <source>このトピック（%1）はヘルプファイルにありません。</source>
        <translation>This topic (%1) is not in the help file.</translation>
    </message>
</context>
<context>
    <name>ravolin::ui::QtMessageBoxes</name>
    <message>
        <source>エラーメッセージ</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>確認メッセージ</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>ravolin::ui::QtPrinter</name>
    <message>
        <source>印刷</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>印刷先が選ばれていません。</source>
        <translation>No printer is chosen.</translation>
    </message>
    <message>
        <source>印刷を始められません。</source>
        <translation>Printing cannot start.</translation>
    </message>
    <message>
        <source>次のページに進めません。</source>
        <translation>Cannot go on to the next page.</translation>
    </message>
    <message>
        <source>印刷を終えられません。</source>
        <translation>Printing cannot finish.</translation>
    </message>
    <message>
        <source>プリンタがエラーを返しました。</source>
        <translation>The printer reported an error.</translation>
    </message>
</context>
<context>
    <name>ravolin::ui::QtSystemClock</name>
    <message>
        <source>時刻設定サービスが前の設定をまだ終えていません</source>
        <translation>The time service has not finished the last setting yet</translation>
    </message>
</context>
</TS>
