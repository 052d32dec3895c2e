<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>ravolin::board::DiagramWindow</name>
    <message>
        <source>ダイヤグラム</source>
        <translation>Diagram</translation>
    </message>
    <message>
        <source>上下</source>
        <translation>Both ways</translation>
    </message>
    <message>
        <source>下り</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>上り</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>全日表示</source>
        <translation>Whole day</translation>
    </message>
    <message>
        <source>書き出し...</source>
        <translation>Export...</translation>
    </message>
    <message>
        <source>表示範囲を書き出す...</source>
        <translation>Export what is shown...</translation>
    </message>
    <message>
        <source>一日全体を書き出す...</source>
        <translation>Export the whole day...</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>路線</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>方向</source>
        <translation>Direction</translation>
    </message>
    <message>
        <source>書き出し</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>横に時刻、縦に駅をとった列車の線図</source>
        <translation>Train diagram: time across, stations down</translation>
    </message>
    <message>
        <source>書き出せません: </source>
        <translation>Cannot export: </translation>
    </message>
    <message>
        <source>ファイル名は .png, .svg または .pdf で終えてください: </source>
        <translation>The file name must end in .png, .svg or .pdf: </translation>
    </message>
    <message>
        <source>ダイヤグラムの書き出し</source>
        <translation>Export the diagram</translation>
    </message>
    <message>
        <source>＋ または ↑: 拡大
－ または ↓: 縮小
← →: 時刻を前後に移動
ホイール: 拡大・縮小&#x3000;ドラッグ: 移動
PageDown / PageUp（N / P）: 次・前の列車を選択
Enter または ダブルクリック: 列車の停車駅
F1: ヘルプ&#x3000;Esc: 閉じる</source>
        <translation>+ or Up: zoom in
- or Down: zoom out
Left, Right: earlier, later
Wheel: zoom, drag: move
PageDown, PageUp (N, P): next, previous train
Enter or double-click: the train&apos;s stops
F1: help, Esc: close</translation>
    </message>
    <message>
        <source>路線(&amp;R)</source>
        <translation>&amp;Route</translation>
    </message>
    <message>
        <source>方向(&amp;W)</source>
        <translation>&amp;Direction</translation>
    </message>
</context>
</TS>
