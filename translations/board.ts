<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>ravolin::board::LoadingWindow</name>
    <message>
        <source>ラボリン&amp;ホテル情報</source>
        <translation>Ravolin &amp; Hotel Guide</translation>
    </message>
    <message>
        <source>製品情報</source>
        <translation>About this program</translation>
    </message>
    <message>
        <source>読み込みの進み具合</source>
        <translation>Loading progress</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Exit</translation>
    </message>
</context>
<context>
    <name>ravolin::board::MainWindow</name>
    <message>
        <source>ラボリン&amp;ホテル情報</source>
        <translation>Ravolin &amp; Hotel Guide</translation>
    </message>
    <message>
        <source>日時補正</source>
        <translation>Correct date and time</translation>
    </message>
    <message>
        <source>新幹線</source>
        <translation>Shinkansen</translation>
    </message>
    <message>
        <source>京葉線</source>
        <translation>Keiyo Line</translation>
    </message>
    <message>
        <source>新幹線の発車案内</source>
        <translation>Shinkansen departures</translation>
    </message>
    <message>
        <source>京葉線の発車案内</source>
        <translation>Keiyo Line departures</translation>
    </message>
    <message>
        <source>新幹線検索</source>
        <translation>Search trains</translation>
    </message>
    <message>
        <source>ホテル検索</source>
        <translation>Hotel search</translation>
    </message>
    <message>
        <source>動作環境</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ(&amp;F&amp;ﾊ)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>Ravolinの終了(&amp;X&amp;ｻ)</source>
        <translation>E&amp;xit Ravolin</translation>
    </message>
    <message>
        <source>編集(&amp;E&amp;ｲ)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>日時補正(&amp;T&amp;ｶ)</source>
        <translation>Correct date and &amp;time</translation>
    </message>
    <message>
        <source>動作環境登録(&amp;C&amp;ｿ)</source>
        <translation>&amp;Settings</translation>
    </message>
    <message>
        <source>ホテル情報の登録・修正（&amp;H&amp;ｸ）</source>
        <translation>My &amp;hotels</translation>
    </message>
    <message>
        <source>表示(&amp;V&amp;ﾋ)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>新幹線時刻表(&amp;S&amp;ﾄ)</source>
        <translation>&amp;Shinkansen timetable</translation>
    </message>
    <message>
        <source>京葉線時刻表(&amp;K&amp;ﾉ)</source>
        <translation>&amp;Keiyo Line timetable</translation>
    </message>
    <message>
        <source>新幹線検索(&amp;C&amp;ｿ)</source>
        <translation>Search &amp;trains</translation>
    </message>
    <message>
        <source>ﾎﾃﾙ検索(&amp;H&amp;ｸ)</source>
        <translation>&amp;Hotel search</translation>
    </message>
    <message>
        <source>ダイヤグラム(&amp;D&amp;ｼ)</source>
        <translation>Train &amp;diagram</translation>
    </message>
    <message>
        <source>ﾍﾙﾌﾟ(&amp;H&amp;ｸ)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>ﾄﾋﾟｯｸの検索(&amp;H&amp;ｸ)</source>
        <translation>Help &amp;topics</translation>
    </message>
    <message>
        <source>ﾊﾞｰｼﾞｮﾝ情報(&amp;A&amp;ﾁ)</source>
        <translation>&amp;About Ravolin</translation>
    </message>
</context>
<context>
    <name>ravolin::board::PassingWindow</name>
    <message>
        <source>通過駅の時刻表示</source>
        <translation>Stops of this train</translation>
    </message>
    <message>
        <source>通過駅の時刻</source>
        <translation>Stops and times</translation>
    </message>
</context>
<context>
    <name>ravolin::board::ScheduleWindow</name>
    <message>
        <source>時刻表の表示</source>
        <translation>Timetable</translation>
    </message>
    <message>
        <source>時刻表</source>
        <translation>Departures by hour</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>ravolin::board::VersionWindow</name>
    <message>
        <source>ラボリン&amp;ホテル情報</source>
        <translation>Ravolin &amp; Hotel Guide</translation>
    </message>
    <message>
        <source>製品情報</source>
        <translation>About this program</translation>
    </message>
    <message>
        <source>確認</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>ravolin::calendar::CalendarWindow</name>
    <message>
        <source>カレンダｰ</source>
        <translation>Calendar</translation>
    </message>
    <message>
        <source>表示する年月</source>
        <translation>Month shown</translation>
    </message>
    <message>
        <source>年/月の形で入力して Enter (例 2000/3)</source>
        <translation>Type year/month and press Enter (e.g. 2000/3)</translation>
    </message>
    <message>
        <source>表示する月の切り替え</source>
        <translation>Earlier or later month</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>%1/%2 から %3/12 までの年月を入力してください</source>
        <translation>Enter a month from %1/%2 to %3/12</translation>
    </message>
</context>
<context>
    <name>ravolin::calendar::CorrectionWindow</name>
    <message>
        <source>年</source>
        <translation>/</translation>
    </message>
    <message>
        <source>月</source>
        <translation>/</translation>
    </message>
    <message>
        <source>日</source>
        <translation> </translation>
    </message>
    <message>
        <source>時</source>
        <translation>:</translation>
    </message>
    <message>
        <source>分</source>
        <translation>:</translation>
    </message>
    <message>
        <source>秒</source>
        <translation> </translation>
    </message>
    <message>
        <source>現在日時 年</source>
        <translation>Current year</translation>
    </message>
    <message>
        <source>現在日時 月</source>
        <translation>Current month</translation>
    </message>
    <message>
        <source>現在日時 日</source>
        <translation>Current day</translation>
    </message>
    <message>
        <source>現在日時 時</source>
        <translation>Current hour</translation>
    </message>
    <message>
        <source>現在日時 分</source>
        <translation>Current minute</translation>
    </message>
    <message>
        <source>現在日時 秒</source>
        <translation>Current second</translation>
    </message>
    <message>
        <source>補正日時 年</source>
        <translation>Corrected year</translation>
    </message>
    <message>
        <source>補正日時 月</source>
        <translation>Corrected month</translation>
    </message>
    <message>
        <source>補正日時 日</source>
        <translation>Corrected day</translation>
    </message>
    <message>
        <source>補正日時 時</source>
        <translation>Corrected hour</translation>
    </message>
    <message>
        <source>補正日時 分</source>
        <translation>Corrected minute</translation>
    </message>
    <message>
        <source>補正日時 秒</source>
        <translation>Corrected second</translation>
    </message>
    <message>
        <source>日時補正</source>
        <translation>Correct date and time</translation>
    </message>
    <message>
        <source>現在日時</source>
        <translation>Current date and time</translation>
    </message>
    <message>
        <source>補正日時</source>
        <translation>Corrected date and time</translation>
    </message>
    <message>
        <source>日時設定</source>
        <translation>Set the clock</translation>
    </message>
    <message>
        <source>一時設定</source>
        <translation>Program only</translation>
    </message>
    <message>
        <source>取消終了</source>
        <translation>Use the computer&apos;s clock</translation>
    </message>
    <message>
        <source>システムの日時を設定できませんでした。
%1
補正した日時は一時設定として使います。</source>
        <translation>Could not set the system date and time.
%1
The corrected date and time are used in this program only.</translation>
    </message>
    <message>
        <source>補正した日時をコンピューターの時計に設定して閉じます</source>
        <translation>Sets the computer&apos;s clock to the corrected date and time and closes</translation>
    </message>
    <message>
        <source>コンピューターの時計は変えず、補正した日時をこのプログラムの中だけで使います</source>
        <translation>Uses the corrected date and time in this program only; the computer&apos;s clock stays as it is</translation>
    </message>
    <message>
        <source>補正をやめ、コンピューターの時計の日時に戻して閉じます</source>
        <translation>Drops the correction, goes back to the date and time of the computer&apos;s clock and closes</translation>
    </message>
    <message>
        <source>%1から%2までの数を入力してください</source>
        <translation>Enter a number from %1 to %2</translation>
    </message>
    <message>
        <source>今日より前の日は指定できません</source>
        <translation>A day before today cannot be set</translation>
    </message>
</context>
</TS>
