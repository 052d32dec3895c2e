<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>ravolin::search::ResultsWindow</name>
    <message>
        <source>新幹線検索結果</source>
        <translation>Shinkansen search results</translation>
    </message>
    <message>
        <source>検索結果</source>
        <translation>Connections</translation>
    </message>
    <message>
        <source>新幹線運賃情報</source>
        <translation>Shinkansen fares</translation>
    </message>
    <message>
        <source>運賃情報</source>
        <translation>Fares</translation>
    </message>
    <message>
        <source>検索終了</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>印刷</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>再検索</source>
        <translation>Search again</translation>
    </message>
    <message numerus="yes">
        <source>%n件</source>
        <translation>
            <numerusform>%n connection</numerusform>
            <numerusform>%n connections</numerusform>
        </translation>
    </message>
    <message>
        <source>印刷開始します！！</source>
        <translation>Print now?</translation>
    </message>
    <message>
        <source>印刷できませんでした。
</source>
        <translation>Could not print.
</translation>
    </message>
    <message>
        <source>Enter またはダブルクリックでダイヤグラムに表示</source>
        <translation>Enter or double-click to show it in the train diagram</translation>
    </message>
</context>
<context>
    <name>ravolin::search::SearchWindow</name>
    <message>
        <source>時</source>
        <translation>h</translation>
    </message>
    <message>
        <source>分</source>
        <translation>min</translation>
    </message>
    <message>
        <source>～</source>
        <translation> -</translation>
    </message>
    <message>
        <source>新幹線の検索</source>
        <translation>Shinkansen search</translation>
    </message>
    <message>
        <source>メッセージ</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>乗車条件</source>
        <translation>Departure</translation>
    </message>
    <message>
        <source>乗車駅</source>
        <translation>From</translation>
    </message>
    <message>
        <source>発車時刻</source>
        <translation>Departs</translation>
    </message>
    <message>
        <source>発車時刻 開始 時</source>
        <translation>Departs from, hour</translation>
    </message>
    <message>
        <source>発車時刻 開始 分</source>
        <translation>Departs from, minute</translation>
    </message>
    <message>
        <source>発車時刻 終了 時</source>
        <translation>Departs until, hour</translation>
    </message>
    <message>
        <source>発車時刻 終了 分</source>
        <translation>Departs until, minute</translation>
    </message>
    <message>
        <source>下車条件</source>
        <translation>Arrival</translation>
    </message>
    <message>
        <source>下車駅</source>
        <translation>To</translation>
    </message>
    <message>
        <source>到着時刻</source>
        <translation>Arrives</translation>
    </message>
    <message>
        <source>到着時刻 開始 時</source>
        <translation>Arrives from, hour</translation>
    </message>
    <message>
        <source>到着時刻 開始 分</source>
        <translation>Arrives from, minute</translation>
    </message>
    <message>
        <source>到着時刻 終了 時</source>
        <translation>Arrives until, hour</translation>
    </message>
    <message>
        <source>到着時刻 終了 分</source>
        <translation>Arrives until, minute</translation>
    </message>
    <message>
        <source>検索結果の表示条件</source>
        <translation>Order of the results</translation>
    </message>
    <message>
        <source>発車時刻順</source>
        <translation>By departure</translation>
    </message>
    <message>
        <source>到着時刻順</source>
        <translation>By arrival</translation>
    </message>
    <message>
        <source>乗車時間順</source>
        <translation>By ride time</translation>
    </message>
    <message>
        <source>乗り換え時の条件</source>
        <translation>At a transfer</translation>
    </message>
    <message>
        <source>待ち合わせ時間</source>
        <translation>Wait at most</translation>
    </message>
    <message>
        <source>乗り換え回数</source>
        <translation>Transfers</translation>
    </message>
    <message>
        <source>１回</source>
        <translation>Up to 1</translation>
    </message>
    <message>
        <source>２回</source>
        <translation>Up to 2</translation>
    </message>
    <message>
        <source>乗り換え １回</source>
        <translation>Up to one transfer</translation>
    </message>
    <message>
        <source>乗り換え ２回</source>
        <translation>Up to two transfers</translation>
    </message>
    <message>
        <source>組み合わせ条件</source>
        <translation>Connections per train</translation>
    </message>
    <message>
        <source>１列車あたり１件</source>
        <translation>One</translation>
    </message>
    <message>
        <source>１列車あたり全件</source>
        <translation>All</translation>
    </message>
    <message>
        <source>乗車予定日</source>
        <translation>Date</translation>
    </message>
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
        <source>乗車予定日 年</source>
        <translation>Travel date, year</translation>
    </message>
    <message>
        <source>乗車予定日 月</source>
        <translation>Travel date, month</translation>
    </message>
    <message>
        <source>乗車予定日 日</source>
        <translation>Travel date, day</translation>
    </message>
    <message>
        <source>ｶﾚﾝﾀﾞｰ</source>
        <translation>Calendar</translation>
    </message>
    <message>
        <source>検索開始</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>F4、Alt+↓ またはダブルクリックで駅の一覧から選べます</source>
        <translation>F4, Alt+Down or double-click to choose from the stations</translation>
    </message>
</context>
</TS>
