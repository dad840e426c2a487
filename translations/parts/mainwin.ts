<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name></name>
    <message id="ダウンロード中です。 %1 / %2 件（%3%）">
        <source></source>
        <translation>Downloading. %1 / %2 records (%3%)</translation>
    </message>
    <message id="有効電力が読めない%1件は欠測としました。">
        <source></source>
        <translation>%1 records without a readable active power were taken as gaps.</translation>
    </message>
    <message id="読み取れない%1行を除きました。">
        <source></source>
        <translation>%1 unreadable lines were left out.</translation>
    </message>
    <message id="記録数の上限のため、%1件のうち先頭の%2件を読み込みました。">
        <source></source>
        <translation>Record limit reached: the first %2 of %1 records were read.</translation>
    </message>
    <message id="%1件のうち%2件を受信しました。">
        <source></source>
        <translation>%2 of %1 records received.</translation>
    </message>
    <message id="ダウンロードは完了していません。受信した%1 / %2 件は破棄しました。">
        <source></source>
        <translation>The download did not finish. The %1 / %2 records received were discarded.</translation>
    </message>
    <message id="ダウンロードしたデータを一時データファイルに書き込めないため、ダウンロードを中止しました。">
        <source></source>
        <translation>The download was stopped: the downloaded data could not be written to the temporary data file.</translation>
    </message>
    <message id="ダウンロードした記録はありません。">
        <source></source>
        <translation>No records were downloaded.</translation>
    </message>
    <message id="内部メモリをクリアします。&#xd;&#xa;よろしいですか？">
        <source></source>
        <translation>The internal memory will be cleared.&#xd;
Continue?</translation>
    </message>
    <message id="ﾌｧｲﾙ(&amp;F)">
        <source></source>
        <translation>&amp;File</translation>
    </message>
    <message id="ﾌｧｲﾙ読込(&amp;L)...">
        <source></source>
        <translation>&amp;Load file...</translation>
    </message>
    <message id="追加読込(&amp;J)...">
        <source></source>
        <translation>Appe&amp;nd...</translation>
    </message>
    <message id="ﾌｧｲﾙ保存(&amp;S)...">
        <source></source>
        <translation>&amp;Save file...</translation>
    </message>
    <message id="ﾀﾞｳﾝﾛｰﾄﾞ(&amp;D)...">
        <source></source>
        <translation>&amp;Download...</translation>
    </message>
    <message id="ﾒﾓﾘｸﾘｱ(&amp;C)">
        <source></source>
        <translation>&amp;Clear memory</translation>
    </message>
    <message id="ﾃﾞｰﾀ一覧印刷(&amp;A)">
        <source></source>
        <translation>Print data &amp;list</translation>
    </message>
    <message id="ｸﾞﾗﾌ印刷(&amp;G)">
        <source></source>
        <translation>Print &amp;graph</translation>
    </message>
    <message id="PDFに出力(&amp;P)...">
        <source></source>
        <translation>Export &amp;PDF...</translation>
    </message>
    <message id="グラフ画像を保存(&amp;I)...">
        <source></source>
        <translation>Save graph &amp;image...</translation>
    </message>
    <message id="終了(&amp;X)">
        <source></source>
        <translation>E&amp;xit</translation>
    </message>
    <message id="表示(&amp;V)">
        <source></source>
        <translation>&amp;View</translation>
    </message>
    <message id="測定値表示(&amp;D)">
        <source></source>
        <translation>&amp;Values</translation>
    </message>
    <message id="ｸﾞﾗﾌ表示(&amp;G)">
        <source></source>
        <translation>&amp;Graph</translation>
    </message>
    <message id="ﾃﾞｰﾀ一覧表示(&amp;S)">
        <source></source>
        <translation>&amp;Data list</translation>
    </message>
    <message id="集計・レポート(&amp;R)...">
        <source></source>
        <translation>Summary and &amp;report...</translation>
    </message>
    <message id="警報一覧(&amp;A)">
        <source></source>
        <translation>&amp;Alarm list</translation>
    </message>
    <message id="比較表示(&amp;O)...">
        <source></source>
        <translation>C&amp;ompare...</translation>
    </message>
    <message id="比較表示を解除(&amp;O)">
        <source></source>
        <translation>End c&amp;omparison</translation>
    </message>
    <message id="動作制御(&amp;E)">
        <source></source>
        <translation>&amp;Run</translation>
    </message>
    <message id="計測開始(&amp;S)">
        <source></source>
        <translation>&amp;Start measurement</translation>
    </message>
    <message id="ﾛｷﾞﾝｸﾞ開始(&amp;L)...">
        <source></source>
        <translation>Start PC &amp;logging...</translation>
    </message>
    <message id="操作(&amp;M)">
        <source></source>
        <translation>&amp;Meter</translation>
    </message>
    <message id="計測ﾓｰﾄﾞ(&amp;K)...">
        <source></source>
        <translation>Measurement &amp;mode...</translation>
    </message>
    <message id="ﾛｷﾞﾝｸﾞ・ﾒﾓﾘ操作(&amp;M)...">
        <source></source>
        <translation>&amp;Logging memory...</translation>
    </message>
    <message id="電力計の環境設定(&amp;D)...">
        <source></source>
        <translation>Meter &amp;settings...</translation>
    </message>
    <message id="設定(&amp;P)">
        <source></source>
        <translation>&amp;Settings</translation>
    </message>
    <message id="ﾛｷﾞﾝｸﾞ条件設定(&amp;L)...">
        <source></source>
        <translation>PC &amp;logging settings...</translation>
    </message>
    <message id="通信条件設定(&amp;S)...">
        <source></source>
        <translation>&amp;Communication settings...</translation>
    </message>
    <message id="警報設定(&amp;A)...">
        <source></source>
        <translation>&amp;Alarm settings...</translation>
    </message>
    <message id="外部出力(&amp;O)...">
        <source></source>
        <translation>Monitoring &amp;outputs...</translation>
    </message>
    <message id="ﾍﾙﾌﾟ(&amp;H)">
        <source></source>
        <translation>&amp;Help</translation>
    </message>
    <message id="目次(&amp;M)">
        <source></source>
        <translation>&amp;Contents</translation>
    </message>
    <message id="Quellinについて(&amp;A)">
        <source></source>
        <translation>&amp;About Quellin</translation>
    </message>
    <message id="ファイル読込">
        <source></source>
        <translation>Load file</translation>
    </message>
    <message id="ファイル保存">
        <source></source>
        <translation>Save file</translation>
    </message>
    <message id="ダウンロード">
        <source></source>
        <translation>Download</translation>
    </message>
    <message id="メモリクリア">
        <source></source>
        <translation>Clear memory</translation>
    </message>
    <message id="データ一覧印刷">
        <source></source>
        <translation>Print data list</translation>
    </message>
    <message id="グラフ印刷">
        <source></source>
        <translation>Print graph</translation>
    </message>
    <message id="計測開始">
        <source></source>
        <translation>Start measurement</translation>
    </message>
    <message id="ロギング開始">
        <source></source>
        <translation>Start logging</translation>
    </message>
    <message id="通信条件設定">
        <source></source>
        <translation>Communication settings</translation>
    </message>
    <message id="ヘルプ目次">
        <source></source>
        <translation>Help contents</translation>
    </message>
    <message id="元の表示">
        <source></source>
        <translation>Reset view</translation>
    </message>
    <message id="全体">
        <source></source>
        <translation>Whole</translation>
    </message>
    <message id="2本目のカーソル">
        <source></source>
        <translation>Second cursor</translation>
    </message>
    <message id="期間をレポートへ">
        <source></source>
        <translation>Period to report</translation>
    </message>
    <message id="ロギングを終了してください。">
        <source></source>
        <translation>Stop PC logging first.</translation>
    </message>
    <message id="計測を終了してください。">
        <source></source>
        <translation>Stop the measurement first.</translation>
    </message>
    <message id="内部メモリは破棄されます。&#xd;&#xa;よろしいですか？">
        <source></source>
        <translation>The internal memory will be discarded.&#xd;
Continue?</translation>
    </message>
    <message id="計測中は追加読込できません。">
        <source></source>
        <translation>A file cannot be appended while measuring.</translation>
    </message>
    <message id="比較するデータの開始を現在のデータの開始に揃えますか？&#xd;&#xa;（いいえ：それぞれの時刻で表示します）">
        <source></source>
        <translation>Align the start of the compared data with the start of the current data?&#xd;
(No: each is shown at its own time)</translation>
    </message>
    <message id="警報設定">
        <source></source>
        <translation>Alarm settings</translation>
    </message>
    <message id="外部出力: ">
        <source></source>
        <translation>Monitoring outputs: </translation>
    </message>
    <message id="計測中">
        <source></source>
        <translation>Measuring</translation>
    </message>
    <message id="最大計測数になったため、計測を終了しました。">
        <source></source>
        <translation>The measurement ended: the maximum number of records was reached.</translation>
    </message>
    <message id="CSVﾌｧｲﾙ(*.csv)">
        <source></source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message id="記録データ格納先">
        <source></source>
        <translation>Log file</translation>
    </message>
    <message id="ロギングファイルに書き込めないため、ロギングを停止しました。">
        <source></source>
        <translation>PC logging stopped: the log file cannot be written.</translation>
    </message>
    <message id="ロギングファイルを作成できません。">
        <source></source>
        <translation>The log file cannot be created.</translation>
    </message>
    <message id="電力計からデータが届いていません（10秒以上）。ケーブルと電力計を確認して下さい。">
        <source></source>
        <translation>No data from the meter (10 s or more). Check the cable and the meter.</translation>
    </message>
    <message id="　">
        <source></source>
        <translation> </translation>
    </message>
    <message id="計測データを一時データファイルに書き込めないため、計測を終了しました。">
        <source></source>
        <translation>The measurement ended: the data cannot be written to the temporary data file.</translation>
    </message>
    <message id="Shift_JIS で書き込めません。">
        <source></source>
        <translation>Cannot be written in Shift_JIS.</translation>
    </message>
    <message id="見出しを Shift_JIS に変換できません。">
        <source></source>
        <translation>The heading cannot be converted to Shift_JIS.</translation>
    </message>
    <message id="計測停止(&amp;S)">
        <source></source>
        <translation>&amp;Stop measurement</translation>
    </message>
    <message id="計測停止">
        <source></source>
        <translation>Stop measurement</translation>
    </message>
    <message id="ﾛｷﾞﾝｸﾞ開始(&amp;L)">
        <source></source>
        <translation>Start PC &amp;logging</translation>
    </message>
    <message id="ﾛｷﾞﾝｸﾞ開始">
        <source></source>
        <translation>Start logging</translation>
    </message>
    <message id="ﾛｷﾞﾝｸﾞ停止(&amp;L)">
        <source></source>
        <translation>Stop PC &amp;logging</translation>
    </message>
    <message id="ﾛｷﾞﾝｸﾞ停止">
        <source></source>
        <translation>Stop logging</translation>
    </message>
    <message id="ウィンドウ(&amp;W)">
        <source></source>
        <translation>&amp;Window</translation>
    </message>
    <message id="重ねて表示(&amp;C)">
        <source></source>
        <translation>&amp;Cascade</translation>
    </message>
    <message id="並べて表示(&amp;T)">
        <source></source>
        <translation>&amp;Tile</translation>
    </message>
    <message id="整列(&amp;A)">
        <source></source>
        <translation>&amp;Arrange</translation>
    </message>
    <message id="プロパティの値が不正です。">
        <source></source>
        <translation>Invalid property value.</translation>
    </message>
    <message id="通信ポート%1 を初期化してオープンできません。">
        <source></source>
        <translation>Port %1 cannot be initialised and opened.</translation>
    </message>
    <message id="&#xd;&#xa;デバイス ">
        <source></source>
        <translation>&#xd;
Device </translation>
    </message>
    <message id=" がありません。ケーブルを確認するか、通信設定で使えるポートを選んで下さい。">
        <source></source>
        <translation> is not there. Check the cable, or choose a port that is present in the communication settings.</translation>
    </message>
    <message id=" は他のプログラムが使っています。そのプログラムを終了してから、もう一度開いて下さい。">
        <source></source>
        <translation> is used by another program. Close that program, then open the port again.</translation>
    </message>
    <message id=" を使う権限がありません。このユーザーを dialout グループに加えて（sudo usermod -aG dialout ユーザー名）、ログインし直して下さい。">
        <source></source>
        <translation> may not be used by this user. Add the user to the group dialout (sudo usermod -aG dialout username), then log in again.</translation>
    </message>
    <message id=" を開けません。">
        <source></source>
        <translation> cannot be opened.</translation>
    </message>
    <message id=" を開けません（">
        <source></source>
        <translation> cannot be opened (</translation>
    </message>
    <message id="）。">
        <source></source>
        <translation>).</translation>
    </message>
    <message id="（デバイス %1）">
        <source></source>
        <translation>, now device %1</translation>
    </message>
    <message id="通信ポート%1 を開き直しました%2。">
        <source></source>
        <translation>Port %1 reopened%2.</translation>
    </message>
    <message id="通信用フォーム">
        <source></source>
        <translation>Communication</translation>
    </message>
    <message id="電力計を確認して下さい。">
        <source></source>
        <translation>Check the meter.</translation>
    </message>
    <message id="本体側で中断されました。">
        <source></source>
        <translation>Stopped at the meter.</translation>
    </message>
    <message id="本体側のバッテリがありません。">
        <source></source>
        <translation>The meter's battery is low.</translation>
    </message>
    <message id="ポート切断">
        <source></source>
        <translation>Port lost</translation>
    </message>
    <message id="計測開始に失敗しました。">
        <source></source>
        <translation>The measurement could not be started.</translation>
    </message>
    <message id="計測を開始できません。">
        <source></source>
        <translation>Cannot start the measurement.</translation>
    </message>
    <message id="コマンド通信エラー">
        <source></source>
        <translation>Command error</translation>
    </message>
    <message id="本体の定期データ送信モードの解除設定ができませんでした。">
        <source></source>
        <translation>The meter did not stop its periodic data sending.</translation>
    </message>
    <message id="通信は成功しコマンド送信でエラーが発生したので再度起動しなおしてください。">
        <source></source>
        <translation>The link works but the command failed. Please start the program again.</translation>
    </message>
    <message id="通信ポート%1 が開いていません。">
        <source></source>
        <translation>Port %1 is not open.</translation>
    </message>
    <message id="ケーブルを確認して下さい。ポートが戻ると自動的に開き直します。別のポートを使うときは、通信条件設定で選んで下さい。">
        <source></source>
        <translation>Check the cable. The port is opened again as soon as it is back. To use another port, choose it in the communication settings.</translation>
    </message>
    <message id="演算中にオーバーフローが発生しました。">
        <source></source>
        <translation>Overflow in a calculation.</translation>
    </message>
    <message id="電力計が計測中はメモリ一覧を取得できません。">
        <source></source>
        <translation>The memory list cannot be read while the meter is measuring.</translation>
    </message>
    <message id="有効なメモリはありません。">
        <source></source>
        <translation>No logged blocks in memory.</translation>
    </message>
    <message id="計測を終了して下さい。">
        <source></source>
        <translation>Stop the measurement first.</translation>
    </message>
    <message id="電力計が計測中はダウンロードできません。">
        <source></source>
        <translation>Cannot download while the meter is measuring.</translation>
    </message>
    <message id="ダウンロードできません。">
        <source></source>
        <translation>Cannot download.</translation>
    </message>
    <message id="送信を完了しました。">
        <source></source>
        <translation>Sent.</translation>
    </message>
    <message id="電力計が計測中でないため設定できません。">
        <source></source>
        <translation>Cannot set: the meter is not measuring.</translation>
    </message>
    <message id="計測中にして下さい。">
        <source></source>
        <translation>Start measuring on the meter first.</translation>
    </message>
    <message id="ロギング用の空きメモリがありません。">
        <source></source>
        <translation>No free memory for logging.</translation>
    </message>
    <message id="メモリをどれかクリアして下さい。">
        <source></source>
        <translation>Clear one of the memory blocks.</translation>
    </message>
    <message id="設定できません。">
        <source></source>
        <translation>Cannot set.</translation>
    </message>
    <message id="電力計が計測中はメモリクリアできません。">
        <source></source>
        <translation>Cannot clear memory while the meter is measuring.</translation>
    </message>
    <message id="電力計が計測中は設定できません。">
        <source></source>
        <translation>Cannot set while the meter is measuring.</translation>
    </message>
    <message id="電力計がロギング中は設定できません。">
        <source></source>
        <translation>Cannot set while the meter is logging.</translation>
    </message>
    <message id="ロギングを終了して下さい。">
        <source></source>
        <translation>Stop the logging first.</translation>
    </message>
    <message id="現在の設定が取得できません。">
        <source></source>
        <translation>The current settings cannot be read.</translation>
    </message>
    <message id="電力計本体をトップメニューにして下さい。">
        <source></source>
        <translation>Put the meter on its top menu.</translation>
    </message>
    <message id="前回の設定の送信は電力計本体への書き込みの前に終わりました。">
        <source></source>
        <translation>The last send of the settings ended before the meter stored them.</translation>
    </message>
    <message id="電力計の設定は電源を切ると元に戻ります。設定を確認して、もう一度送信して下さい。">
        <source></source>
        <translation>The meter goes back to its old settings when it is switched off. Check the settings and send them again.</translation>
    </message>
    <message id="通信ポート%1 が使用できなくなりました。">
        <source></source>
        <translation>Port %1 is no longer available.</translation>
    </message>
    <message id="ケーブルを確認して下さい。同じポートが使えるようになると、自動的に開き直します。">
        <source></source>
        <translation>Check the cable. The port is opened again as soon as it is available.</translation>
    </message>
    <message id="現在の計測モードが取得できません。">
        <source></source>
        <translation>The current measurement mode cannot be read.</translation>
    </message>
    <message id="メモリ一覧情報の受信に失敗しました。">
        <source></source>
        <translation>The memory list could not be received.</translation>
    </message>
    <message id="電力計からデータ送信されていません。">
        <source></source>
        <translation>The meter sends no data.</translation>
    </message>
    <message id="現在のロギング状態が取得できません。">
        <source></source>
        <translation>The current logging state cannot be read.</translation>
    </message>
    <message id="ロギング設定できません。">
        <source></source>
        <translation>Cannot set the logging.</translation>
    </message>
    <message id="ダウンロードに失敗しました。">
        <source></source>
        <translation>The download failed.</translation>
    </message>
    <message id="メモリクリアに失敗しました。">
        <source></source>
        <translation>Clearing the memory failed.</translation>
    </message>
    <message id="ハードバージョンを調べてます。">
        <source></source>
        <translation>Checking the hardware version.</translation>
    </message>
    <message id="ハードバージョン ">
        <source></source>
        <translation>Hardware version </translation>
    </message>
    <message id="前回 Quellin が正常に終了しなかったため、保存されていない計測データ（%1件）が残っています。&#xd;&#xa;復元しますか？&#xd;&#xa;&#xd;&#xa;はい：復元する　いいえ：破棄する">
        <source></source>
        <translation>Quellin did not end normally last time: %1 records of unsaved measurement data are left.&#xd;
Restore them?&#xd;
&#xd;
Yes: restore   No: discard</translation>
    </message>
    <message id="前回 Quellin が正常に終了しなかったとき、ファイル読込またはダウンロードの途中だったため、一時データ（%1件）は完全ではありません。">
        <source></source>
        <translation>Quellin did not end normally last time, during a file load or a download: the temporary data (%1 records) is not complete.</translation>
    </message>
    <message id="&#xd;&#xa;一時データはそのまま残し、次の計測・読込で置き換えます。">
        <source></source>
        <translation>&#xd;
The temporary data is left as it is and replaced by the next measurement or load.</translation>
    </message>
    <message id="&#xd;&#xa;削除せずに次のファイルへ移しました。&#xd;&#xa;%1">
        <source></source>
        <translation>&#xd;
It was not deleted but moved to this file:&#xd;
%1</translation>
    </message>
    <message id="前回 Quellin が正常に終了しなかったときの一時データ（%1件）は、その情報ファイル（TMP.INF）が壊れているため復元できません。">
        <source></source>
        <translation>The temporary data (%1 records) left when Quellin did not end normally cannot be restored: its information file (TMP.INF) is damaged.</translation>
    </message>
    <message id="前回 Quellin が正常に終了しなかったときの一時データ（%1件）は、内容が壊れているため（計測データとして読めない記録があります）復元できません。">
        <source></source>
        <translation>The temporary data (%1 records) left when Quellin did not end normally cannot be restored: it is damaged (some records cannot be read as measurement data).</translation>
    </message>
    <message id="参照してません。">
        <source></source>
        <translation>not read.</translation>
    </message>
    <message id="エラー">
        <source></source>
        <translation>Error</translation>
    </message>
    <message id="でエラーが起こりました。">
        <source></source>
        <translation>: an error occurred.</translation>
    </message>
    <message id="エラー：">
        <source></source>
        <translation>Error #</translation>
    </message>
    <message id="メモリが不足しています。">
        <source></source>
        <translation>Out of memory.</translation>
    </message>
    <message id="アプリケーション定義またはオブジェクト定義のエラーです。">
        <source></source>
        <translation>Application-defined or object-defined error.</translation>
    </message>
    <message id="番号">
        <source></source>
        <translation>No.</translation>
    </message>
    <message id="時刻">
        <source></source>
        <translation>Time</translation>
    </message>
    <message id="電圧Ｒ(V)">
        <source></source>
        <translation>Voltage R (V)</translation>
    </message>
    <message id="電圧Ｒ">
        <source></source>
        <translation>Voltage R</translation>
    </message>
    <message id="電圧Ｔ(V)">
        <source></source>
        <translation>Voltage T (V)</translation>
    </message>
    <message id="電圧Ｔ">
        <source></source>
        <translation>Voltage T</translation>
    </message>
    <message id="電流Ｒ(A)">
        <source></source>
        <translation>Current R (A)</translation>
    </message>
    <message id="電流Ｒ">
        <source></source>
        <translation>Current R</translation>
    </message>
    <message id="電流Ｔ(A)">
        <source></source>
        <translation>Current T (A)</translation>
    </message>
    <message id="電流Ｔ">
        <source></source>
        <translation>Current T</translation>
    </message>
    <message id="有効電力(W)">
        <source></source>
        <translation>Active power (W)</translation>
    </message>
    <message id="有効電力">
        <source></source>
        <translation>Active power</translation>
    </message>
    <message id="無効電力(Var)">
        <source></source>
        <translation>Reactive power (var)</translation>
    </message>
    <message id="無効電力">
        <source></source>
        <translation>Reactive power</translation>
    </message>
    <message id="皮相電力(VA)">
        <source></source>
        <translation>Apparent power (VA)</translation>
    </message>
    <message id="皮相電力">
        <source></source>
        <translation>Apparent power</translation>
    </message>
    <message id="力率(%)">
        <source></source>
        <translation>Power factor (%)</translation>
    </message>
    <message id="力率">
        <source></source>
        <translation>Power factor</translation>
    </message>
    <message id="周波数(Hz)">
        <source></source>
        <translation>Frequency (Hz)</translation>
    </message>
    <message id="周波数">
        <source></source>
        <translation>Frequency</translation>
    </message>
    <message id="積算電力(kWh)">
        <source></source>
        <translation>Energy (kWh)</translation>
    </message>
    <message id="積算電力">
        <source></source>
        <translation>Energy</translation>
    </message>
    <message id="積算電力量">
        <source></source>
        <translation>Accumulated energy</translation>
    </message>
    <message id="積算時間(時間)">
        <source></source>
        <translation>Hours (h)</translation>
    </message>
    <message id="積算時間">
        <source></source>
        <translation>Hours</translation>
    </message>
    <message id="時間">
        <source></source>
        <translation>h</translation>
    </message>
    <message id="漏電電流1(mA)">
        <source></source>
        <translation>Leakage current 1 (mA)</translation>
    </message>
    <message id="漏電電流1">
        <source></source>
        <translation>Leakage current 1</translation>
    </message>
    <message id="漏電電流2(mA)">
        <source></source>
        <translation>Leakage current 2 (mA)</translation>
    </message>
    <message id="漏電電流2">
        <source></source>
        <translation>Leakage current 2</translation>
    </message>
    <message id="漏電電流3(mA)">
        <source></source>
        <translation>Leakage current 3 (mA)</translation>
    </message>
    <message id="漏電電流3">
        <source></source>
        <translation>Leakage current 3</translation>
    </message>
    <message id="温度1(℃)">
        <source></source>
        <translation>Temperature 1 (℃)</translation>
    </message>
    <message id="温度1">
        <source></source>
        <translation>Temperature 1</translation>
    </message>
    <message id="℃">
        <source></source>
        <translation>℃</translation>
    </message>
    <message id="温度2(℃)">
        <source></source>
        <translation>Temperature 2 (℃)</translation>
    </message>
    <message id="温度2">
        <source></source>
        <translation>Temperature 2</translation>
    </message>
    <message id="プロシージャの呼び出し、または引数が不正です。">
        <source></source>
        <translation>Invalid procedure call or argument.</translation>
    </message>
    <message id="型が一致しません。">
        <source></source>
        <translation>Type mismatch.</translation>
    </message>
    <message id="オーバーフローしました。">
        <source></source>
        <translation>Overflow.</translation>
    </message>
    <message id="%1、%2">
        <source></source>
        <translation>%1, %2</translation>
    </message>
    <message id="警報：%1">
        <source></source>
        <translation>Alarm: %1</translation>
    </message>
    <message id="ロギング中（間隔：%1秒おき）">
        <source></source>
        <translation>PC logging (every %1 s)</translation>
    </message>
    <message id="通信ポートが使用できなくなったため、ロギングを終了しました。ロギングファイル：%1">
        <source></source>
        <translation>PC logging ended: the port is no longer available. Log file: %1</translation>
    </message>
</context>
</TS>
