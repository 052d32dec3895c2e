<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>ravolin::hotels::AreaPickerWindow</name>
    <message>
        <source>ラボリン&amp;ホテル情報</source>
        <translation>Hotel areas</translation>
    </message>
    <message>
        <source>ホテル地域の選択</source>
        <translation>Choose a hotel area</translation>
    </message>
    <message>
        <source>エリア、もしくは最近選択の出発地よりホテル地域を選択して下さい</source>
        <translation>Choose a hotel area from a region or from your recent places</translation>
    </message>
    <message>
        <source>案内</source>
        <translation>Guide</translation>
    </message>
    <message>
        <source>全国</source>
        <translation>All Japan</translation>
    </message>
    <message>
        <source>ホテル地域</source>
        <translation>Hotel areas</translation>
    </message>
    <message>
        <source>最近選択のホテル地域</source>
        <translation>Recently chosen</translation>
    </message>
    <message>
        <source>選択確定</source>
        <translation>Choose</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>取消終了</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>北海道エリア</source>
        <translation>Hokkaido</translation>
    </message>
    <message>
        <source>東北エリア</source>
        <translation>Tohoku</translation>
    </message>
    <message>
        <source>北陸・中部エリア</source>
        <translation>Hokuriku/Chubu</translation>
    </message>
    <message>
        <source>東京エリア</source>
        <translation>Tokyo area</translation>
    </message>
    <message>
        <source>大阪エリア</source>
        <translation>Osaka area</translation>
    </message>
    <message>
        <source>中国エリア</source>
        <translation>Chugoku</translation>
    </message>
    <message>
        <source>四国エリア</source>
        <translation>Shikoku</translation>
    </message>
    <message>
        <source>九州エリア</source>
        <translation>Kyushu</translation>
    </message>
    <message>
        <source>沖縄エリア</source>
        <translation>Okinawa</translation>
    </message>
</context>
<context>
    <name>ravolin::hotels::DistrictWindow</name>
    <message>
        <source>ホテル地区選択</source>
        <translation>Choose districts</translation>
    </message>
    <message>
        <source>ホテル地区名</source>
        <translation>Districts</translation>
    </message>
    <message>
        <source>選択地区名</source>
        <translation>Chosen districts</translation>
    </message>
    <message>
        <source>選択&gt;</source>
        <translation>Add &gt;</translation>
    </message>
    <message>
        <source>全選択&gt;&gt;</source>
        <translation>Add all &gt;&gt;</translation>
    </message>
    <message>
        <source>&lt;取消</source>
        <translation>&lt; Remove</translation>
    </message>
    <message>
        <source>&lt;&lt;全取消</source>
        <translation>&lt;&lt; Remove all</translation>
    </message>
    <message>
        <source>了解</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>選択</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>全選択</source>
        <translation>Add all</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>全取消</source>
        <translation>Remove all</translation>
    </message>
</context>
<context>
    <name>ravolin::hotels::HotelEditWindow</name>
    <message>
        <source>ラボリン＆ホテル情報</source>
        <translation>Hotel entry</translation>
    </message>
    <message>
        <source>ホテル情報</source>
        <translation>Hotel</translation>
    </message>
    <message>
        <source>追加モード</source>
        <translation>Adding</translation>
    </message>
    <message>
        <source>修正モード</source>
        <translation>Changing</translation>
    </message>
    <message>
        <source>メッセージ：</source>
        <translation>Message:</translation>
    </message>
    <message>
        <source>メッセージ</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>地域名の選択</source>
        <translation>Choose the area</translation>
    </message>
    <message>
        <source>更新</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>追加更新</source>
        <translation>Save as new</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>追加しますよ！！</source>
        <translation>Add this hotel?</translation>
    </message>
    <message>
        <source>更新しますよ！！</source>
        <translation>Save the changes?</translation>
    </message>
    <message>
        <source>地域名&#x3000;&#x3000;：</source>
        <translation>Area:</translation>
    </message>
    <message>
        <source>地域名</source>
        <translation>Area</translation>
    </message>
    <message>
        <source>地域名を選択して下さい</source>
        <translation>Choose the area</translation>
    </message>
    <message>
        <source>入力例：大阪／伊丹</source>
        <translation>Example: Osaka/Itami</translation>
    </message>
    <message>
        <source>地区名&#x3000;&#x3000;：</source>
        <translation>District:</translation>
    </message>
    <message>
        <source>地区名</source>
        <translation>District</translation>
    </message>
    <message>
        <source>地区名を入力して下さい(日本語6文字以内)</source>
        <translation>Enter the district (up to 12 characters; a Japanese character counts as two)</translation>
    </message>
    <message>
        <source>入力例：京橋</source>
        <translation>Example: Kyobashi</translation>
    </message>
    <message>
        <source>ホテル名&#x3000;：</source>
        <translation>Hotel:</translation>
    </message>
    <message>
        <source>ホテル名</source>
        <translation>Hotel</translation>
    </message>
    <message>
        <source>ホテル名を入力して下さい(日本語16文字以内)</source>
        <translation>Enter the hotel name (up to 32 characters; a Japanese character counts as two)</translation>
    </message>
    <message>
        <source>入力例：ラボリンホテル</source>
        <translation>Example: Ravolin Hotel</translation>
    </message>
    <message>
        <source>電話番号&#x3000;：</source>
        <translation>Phone:</translation>
    </message>
    <message>
        <source>電話番号</source>
        <translation>Phone</translation>
    </message>
    <message>
        <source>電話番号を入力して下さい(カナ12文字以内)</source>
        <translation>Enter the phone number (up to 12 characters)</translation>
    </message>
    <message>
        <source>入力例：012-345-6789</source>
        <translation>Example: 012-345-6789</translation>
    </message>
    <message>
        <source>部屋数&#x3000;&#x3000;：</source>
        <translation>Rooms:</translation>
    </message>
    <message>
        <source>部屋数</source>
        <translation>Rooms</translation>
    </message>
    <message>
        <source>部屋数を入力して下さい(数字4文字以内)</source>
        <translation>Enter the number of rooms (digits only, at most 32767)</translation>
    </message>
    <message>
        <source>入力例：123</source>
        <translation>Example: 123</translation>
    </message>
    <message>
        <source>交通&#x3000;&#x3000;&#x3000;：</source>
        <translation>Access:</translation>
    </message>
    <message>
        <source>交通</source>
        <translation>Access</translation>
    </message>
    <message>
        <source>交通を入力して下さい(日本語12文字以内)</source>
        <translation>Enter the way there (up to 24 characters; a Japanese character counts as two)</translation>
    </message>
    <message>
        <source>入力例：京橋駅徒歩１０分</source>
        <translation>Example: Kyobashi, 10 min walk</translation>
    </message>
    <message>
        <source>部屋代&#x3000;&#x3000;：</source>
        <translation>Rate:</translation>
    </message>
    <message>
        <source>部屋代</source>
        <translation>Rate</translation>
    </message>
    <message>
        <source>部屋代を入力して下さい(\付きで数字8文字以内)</source>
        <translation>Enter the rate (up to 8 characters, such as \ and digits)</translation>
    </message>
    <message>
        <source>入力例：\10,000</source>
        <translation>Example: \10,000</translation>
    </message>
    <message>
        <source>備考&#x3000;&#x3000;&#x3000;：</source>
        <translation>Remarks:</translation>
    </message>
    <message>
        <source>備考</source>
        <translation>Remarks</translation>
    </message>
    <message>
        <source>備考を入力して下さい(日本語8文字以内)</source>
        <translation>Enter remarks (up to 8 characters, Japanese or not)</translation>
    </message>
    <message>
        <source>入力例：○</source>
        <translation>Example: ○</translation>
    </message>
</context>
<context>
    <name>ravolin::hotels::HotelListWindow</name>
    <message>
        <source>ラボリン&amp;ホテル情報</source>
        <translation>Hotel list</translation>
    </message>
    <message>
        <source>備考(評価)は作者の個人的な評価です。公的機関の評価ではありません。ご留意下さい。</source>
        <translation>Remarks (rating) are the author&apos;s own view, not an official rating.</translation>
    </message>
    <message>
        <source>地区の絞り込み</source>
        <translation>By district</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>ホテル一覧</source>
        <translation>Hotel list</translation>
    </message>
    <message>
        <source>利用者ホテルファイル %1 の</source>
        <translation>Your hotel file %1:</translation>
    </message>
    <message>
        <source> %1 行（最初は %2 行目）を読めませんでした。</source>
        <translation> %1 line(s) could not be read (the first is line %2).</translation>
    </message>
    <message>
        <source> ホテル数が上限を超えたため、残りを読みませんでした。</source>
        <translation> More hotels than the list holds: the rest were not read.</translation>
    </message>
</context>
<context>
    <name>ravolin::hotels::HotelSearchWindow</name>
    <message>
        <source>ﾗﾎﾞﾘﾝ&amp;ﾎﾃﾙ情報</source>
        <translation>Hotel search</translation>
    </message>
    <message>
        <source>ホテル検索条件</source>
        <translation>Hotel search</translation>
    </message>
    <message>
        <source>ホテル検索地域名</source>
        <translation>Hotel area</translation>
    </message>
    <message>
        <source>ホテル地域の選択</source>
        <translation>Choose a hotel area</translation>
    </message>
    <message>
        <source>検索開始</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>検索終了</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>地域を入力してください</source>
        <translation>Enter an area</translation>
    </message>
</context>
<context>
    <name>ravolin::hotels::UserHotelsWindow</name>
    <message>
        <source>ラボリン＆ホテル情報</source>
        <translation>My hotels</translation>
    </message>
    <message>
        <source>ホテル情報</source>
        <translation>My hotels</translation>
    </message>
    <message>
        <source>地域名</source>
        <translation>Area</translation>
    </message>
    <message>
        <source>地区名</source>
        <translation>District</translation>
    </message>
    <message>
        <source>ホテル名</source>
        <translation>Hotel</translation>
    </message>
    <message>
        <source>電話番号</source>
        <translation>Phone</translation>
    </message>
    <message>
        <source>登録ホテル一覧</source>
        <translation>Hotel list</translation>
    </message>
    <message>
        <source>登録終了</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>追加</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>修正</source>
        <translation>Change</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>本当に削除しますよ！！</source>
        <translation>Delete this hotel?</translation>
    </message>
    <message>
        <source>変更を保存せずに閉じますか？</source>
        <translation>Close without saving the changes?</translation>
    </message>
</context>
</TS>
