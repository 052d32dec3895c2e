<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>ravolin::settings::SettingsWindow</name>
    <message>
        <source>動作環境</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>新幹線の設定</source>
        <translation>Shinkansen</translation>
    </message>
    <message>
        <source>新幹線の下りの時刻表を表示</source>
        <translation>Show down Shinkansen (from Tokyo)</translation>
    </message>
    <message>
        <source>新幹線の上りの時刻表を表示</source>
        <translation>Show up Shinkansen (to Tokyo)</translation>
    </message>
    <message>
        <source>新幹線</source>
        <translation>Shinkansen</translation>
    </message>
    <message>
        <source>京葉線の設定</source>
        <translation>Keiyo Line</translation>
    </message>
    <message>
        <source>京葉線下りの時刻表を表示</source>
        <translation>Show down Keiyo trains (from Tokyo)</translation>
    </message>
    <message>
        <source>京葉線上りの時刻表を表示</source>
        <translation>Show up Keiyo trains (to Tokyo)</translation>
    </message>
    <message>
        <source>京葉線</source>
        <translation>Keiyo Line</translation>
    </message>
    <message>
        <source>利用駅の設定</source>
        <translation>Your station</translation>
    </message>
    <message>
        <source>利用している駅</source>
        <translation>Station</translation>
    </message>
    <message>
        <source>駅まで通常</source>
        <translation>Normal walk</translation>
    </message>
    <message>
        <source>駅まで通常（分）</source>
        <translation>Normal walk to the station (minutes)</translation>
    </message>
    <message>
        <source>分</source>
        <translation>min</translation>
    </message>
    <message>
        <source>駅まで急いで</source>
        <translation>Hurried walk</translation>
    </message>
    <message>
        <source>駅まで急いで（分）</source>
        <translation>Hurried walk to the station (minutes)</translation>
    </message>
    <message>
        <source>列車案内の表示件数</source>
        <translation>Trains shown</translation>
    </message>
    <message>
        <source>（０：２時間後まで表示）</source>
        <translation>(0: the next 2 hours)</translation>
    </message>
    <message>
        <source>京葉線の表示</source>
        <translation>Keiyo Line display</translation>
    </message>
    <message>
        <source>京葉線の時刻表を表示する</source>
        <translation>Show Keiyo Line trains</translation>
    </message>
    <message>
        <source>京葉線の時刻表を表示しない</source>
        <translation>Hide Keiyo Line trains</translation>
    </message>
    <message>
        <source>この設定を変更した場合（表示しない→表示する）、京葉線データ読み込みのために再起動が必要です。&#x3000;変更した場合はプログラムを終了します。</source>
        <translation>Switching from hide to show needs a restart to read the Keiyo Line data: the program then ends.</translation>
    </message>
    <message>
        <source>利用者ホテル情報の登録・修正</source>
        <translation>My hotels</translation>
    </message>
    <message>
        <source>入力の都度，地域名順，地区名順に並び換えする</source>
        <translation>Sort by area and district on each entry</translation>
    </message>
    <message>
        <source>格納時，地域名順，地区名順に並び換えする</source>
        <translation>Sort by area and district when saved</translation>
    </message>
    <message>
        <source>並び換えしない</source>
        <translation>Do not sort</translation>
    </message>
    <message>
        <source>動作環境の退避</source>
        <translation>Saving the settings</translation>
    </message>
    <message>
        <source>終了時の動作環境を退避する</source>
        <translation>Save settings on exit</translation>
    </message>
    <message>
        <source>終了時の動作環境を待避しない</source>
        <translation>Do not save settings on exit</translation>
    </message>
    <message>
        <source>英語で表示する (English)</source>
        <translation>Show in English</translation>
    </message>
    <message>
        <source>（次の起動から）</source>
        <translation>(from the next start)</translation>
    </message>
    <message>
        <source>メッセージ</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>了解</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>終着駅は指定できません</source>
        <translation>A terminus cannot be chosen</translation>
    </message>
    <message>
        <source>始発駅は指定できません</source>
        <translation>A starting station cannot be chosen</translation>
    </message>
    <message>
        <source>F4、Alt+↓ またはダブルクリックで一覧から選べます</source>
        <translation>F4, Alt+Down or double-click to choose from a list</translation>
    </message>
    <message>
        <source>入力エラーです</source>
        <translation>Input error</translation>
    </message>
</context>
<context>
    <name>ravolin::settings::StationPickerWindow</name>
    <message>
        <source>利用駅の選択</source>
        <translation>Choose a station</translation>
    </message>
    <message>
        <source>路線</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>駅の一覧</source>
        <translation>Stations</translation>
    </message>
    <message>
        <source>選択</source>
        <translation>Choose</translation>
    </message>
    <message>
        <source>取消終了</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>京葉線</source>
        <translation>Keiyo Line</translation>
    </message>
    <message>
        <source>東海道・山陽新幹線</source>
        <translation>Tokaido and Sanyo Shinkansen</translation>
    </message>
    <message>
        <source>東北・山形・秋田新幹線</source>
        <translation>Tohoku, Yamagata and Akita Shinkansen</translation>
    </message>
    <message>
        <source>上越・長野行新幹線</source>
        <translation>Joetsu and Nagano Shinkansen</translation>
    </message>
</context>
</TS>
