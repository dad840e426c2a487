<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name></name>
    <message id="%1のﾊﾞｰｼﾞｮﾝ情報">
        <source></source>
        <translation>About %1</translation>
    </message>
    <message id="ﾊﾞｰｼﾞｮﾝ ">
        <source></source>
        <translation>Version </translation>
    </message>
    <message id="ﾊｰﾄﾞ本体ﾊﾞｰｼﾞｮﾝ ">
        <source></source>
        <translation>Meter hardware version </translation>
    </message>
    <message id="現時点ではｼｽﾃﾑ情報を使用できません">
        <source></source>
        <translation>System information is not available at the moment</translation>
    </message>
    <message id="このプログラムは現状のまま提供されます。測定値と記録の正しさ、および特定の目的への適合性について、明示または黙示を問わず一切の保証はありません。電力計の取り扱いと測定結果の利用は、使用者の責任において行ってください。">
        <source></source>
        <translation>This program is provided as is, without any warranty, express or implied, of the correctness of measured values and records or of fitness for a particular purpose. Handling the meter and using the measurement results is at the user's own risk.</translation>
    </message>
    <message id="ｼｽﾃﾑ情報(&amp;S)...">
        <source></source>
        <translation>&amp;System info...</translation>
    </message>
    <message id="&#xa;Quellin&#xa;&#xa;　　　Version ">
        <source></source>
        <translation>
Quellin

      Version </translation>
    </message>
    <message id="電力計 PC コントローラ">
        <source></source>
        <translation>Power meter PC controller</translation>
    </message>
    <message id="中止">
        <source></source>
        <translation>Stop</translation>
    </message>
    <message id="・">
        <source></source>
        <translation>.</translation>
    </message>
    <message id="グラフ画像の大きさ">
        <source></source>
        <translation>Graph image size</translation>
    </message>
    <message id=" ピクセル">
        <source></source>
        <translation> pixels</translation>
    </message>
    <message id="幅：">
        <source></source>
        <translation>Width:</translation>
    </message>
    <message id="高さ：">
        <source></source>
        <translation>Height:</translation>
    </message>
    <message id="ｷｬﾝｾﾙ">
        <source></source>
        <translation>Cancel</translation>
    </message>
    <message id="データ一覧を印字します。&#xd;&#xa;よろしいですか？">
        <source></source>
        <translation>The data list will be printed.&#xd;
Continue?</translation>
    </message>
    <message id="グラフ画面を印刷します。&#xd;&#xa;よろしいですか？">
        <source></source>
        <translation>The graph will be printed.&#xd;
Continue?</translation>
    </message>
    <message id="プリンタエラーが発生しました。">
        <source></source>
        <translation>A printer error occurred.</translation>
    </message>
    <message id="印刷するデータがありません。">
        <source></source>
        <translation>There is no data to print.</translation>
    </message>
    <message id="データ一覧は %1 ページになります。&#xd;&#xa;印刷（プレビュー）に時間がかかります。続けますか？">
        <source></source>
        <translation>The data list takes %1 pages.&#xd;
Printing (and the preview) will take a while. Continue?</translation>
    </message>
    <message id="%1 / %2 ページを印刷しています。">
        <source></source>
        <translation>Printing page %1 of %2.</translation>
    </message>
    <message id="出力するデータがありません。">
        <source></source>
        <translation>There is no data to export.</translation>
    </message>
    <message id="プリンタが見つかりません。&#xd;&#xa;印刷のウィンドウから PDF ファイルに出力できます。">
        <source></source>
        <translation>No printer found.&#xd;
The print window can write a PDF file instead.</translation>
    </message>
    <message id="印刷">
        <source></source>
        <translation>Print</translation>
    </message>
    <message id="PDFﾌｧｲﾙ(*.pdf)">
        <source></source>
        <translation>PDF file (*.pdf)</translation>
    </message>
    <message id="PNGﾌｧｲﾙ(*.png)">
        <source></source>
        <translation>PNG file (*.png)</translation>
    </message>
    <message id="スプレッドシート">
        <source></source>
        <translation>Data list</translation>
    </message>
    <message id="グラフ">
        <source></source>
        <translation>Graph</translation>
    </message>
    <message id="エラー">
        <source></source>
        <translation>Error</translation>
    </message>
    <message id="計測データ">
        <source></source>
        <translation>Measurement data</translation>
    </message>
    <message id="印刷プレビュー">
        <source></source>
        <translation>Print preview</translation>
    </message>
    <message id="印刷...">
        <source></source>
        <translation>Print...</translation>
    </message>
    <message id="/ %1 ページ">
        <source></source>
        <translation>/ %1 pages</translation>
    </message>
    <message id="ページ全体">
        <source></source>
        <translation>Whole page</translation>
    </message>
    <message id="幅に合わせる">
        <source></source>
        <translation>Fit width</translation>
    </message>
    <message id="閉じる">
        <source></source>
        <translation>Close</translation>
    </message>
    <message id="期間：%1 ～ %2（%3 件、記録周期 %4 秒）">
        <source></source>
        <translation>Period: %1 to %2 (%3 records, recording period %4 s)</translation>
    </message>
    <message id="電力量：%1 kWh　最大電力：%2 W（%3）">
        <source></source>
        <translation>Energy: %1 kWh  Peak power: %2 W (%3)</translation>
    </message>
    <message id="期間：%1 ～ %2（記録なし）">
        <source></source>
        <translation>Period: %1 to %2 (no records)</translation>
    </message>
    <message id="用紙の設定が使えません。">
        <source></source>
        <translation>The page setup cannot be used.</translation>
    </message>
    <message id="グラフが描かれていません。">
        <source></source>
        <translation>No graph has been drawn.</translation>
    </message>
    <message id="ファイルに書き込めませんでした。&#xd;&#xa;">
        <source></source>
        <translation>Could not write the file.&#xd;
</translation>
    </message>
    <message id="&#xd;&#xa;保存先のフォルダと空き容量を確認して下さい。">
        <source></source>
        <translation>&#xd;
Check the folder and the free disk space.</translation>
    </message>
    <message id="ページ ">
        <source></source>
        <translation>Page </translation>
    </message>
    <message id="単相２線式">
        <source></source>
        <translation>Single-phase 2-wire</translation>
    </message>
    <message id="単相３線式">
        <source></source>
        <translation>Single-phase 3-wire</translation>
    </message>
    <message id="三相３線式">
        <source></source>
        <translation>Three-phase 3-wire</translation>
    </message>
    <message id="不明">
        <source></source>
        <translation>Unknown</translation>
    </message>
    <message id="計測レポート">
        <source></source>
        <translation>Measurement report</translation>
    </message>
    <message id="計測データ（ファイル未保存）">
        <source></source>
        <translation>Measurement data (not saved to a file)</translation>
    </message>
    <message id="ハードバージョン ">
        <source></source>
        <translation>Hardware version </translation>
    </message>
    <message id="電力計">
        <source></source>
        <translation>Meter</translation>
    </message>
    <message id="結線">
        <source></source>
        <translation>Wiring</translation>
    </message>
    <message id="概要">
        <source></source>
        <translation>Overview</translation>
    </message>
    <message id="項目">
        <source></source>
        <translation>Item</translation>
    </message>
    <message id="値">
        <source></source>
        <translation>Value</translation>
    </message>
    <message id="項目ごとの最小・最大・平均">
        <source></source>
        <translation>Minimum, maximum and mean per item</translation>
    </message>
    <message id="最小">
        <source></source>
        <translation>Min</translation>
    </message>
    <message id="最小の時刻">
        <source></source>
        <translation>Time of min</translation>
    </message>
    <message id="最大">
        <source></source>
        <translation>Max</translation>
    </message>
    <message id="最大の時刻">
        <source></source>
        <translation>Time of max</translation>
    </message>
    <message id="平均">
        <source></source>
        <translation>Mean</translation>
    </message>
    <message id="欠測">
        <source></source>
        <translation>Gaps</translation>
    </message>
    <message id="直前の記録">
        <source></source>
        <translation>Record before</translation>
    </message>
    <message id="直後の記録">
        <source></source>
        <translation>Record after</translation>
    </message>
    <message id="欠測数">
        <source></source>
        <translation>Missing</translation>
    </message>
    <message id="デマンド（%1分）">
        <source></source>
        <translation>Demand (%1 min)</translation>
    </message>
    <message id="最大 %1 kW（%2）">
        <source></source>
        <translation>Max %1 kW (%2)</translation>
    </message>
    <message id="デマンド（%1分）の区間">
        <source></source>
        <translation>Demand intervals (%1 min)</translation>
    </message>
    <message id="開始">
        <source></source>
        <translation>Start</translation>
    </message>
    <message id="記録数">
        <source></source>
        <translation>Records</translation>
    </message>
    <message id="不足">
        <source></source>
        <translation>Short</translation>
    </message>
    <message id="日ごとの電力量">
        <source></source>
        <translation>Energy per day</translation>
    </message>
    <message id="日付">
        <source></source>
        <translation>Date</translation>
    </message>
    <message id="時間ごとの電力量">
        <source></source>
        <translation>Energy per hour</translation>
    </message>
    <message id="時刻">
        <source></source>
        <translation>Time</translation>
    </message>
    <message id="トレンドグラフ">
        <source></source>
        <translation>Trend graph</translation>
    </message>
    <message id="%1（続き）">
        <source></source>
        <translation>%1 (continued)</translation>
    </message>
    <message id="印刷日 ">
        <source></source>
        <translation>Printed </translation>
    </message>
    <message id="%1（%2 秒）">
        <source></source>
        <translation>%1 (%2 s)</translation>
    </message>
    <message id="警報">
        <source></source>
        <translation>Alarm</translation>
    </message>
    <message id="解除">
        <source></source>
        <translation>Cleared</translation>
    </message>
    <message id="警報一覧">
        <source></source>
        <translation>Alarm list</translation>
    </message>
    <message id="条件">
        <source></source>
        <translation>Condition</translation>
    </message>
    <message id="状態">
        <source></source>
        <translation>State</translation>
    </message>
    <message id="時間">
        <source></source>
        <translation>h</translation>
    </message>
    <message id="℃">
        <source></source>
        <translation>℃</translation>
    </message>
    <message id="測定値表示（受信待ち：最後に受信した値）">
        <source></source>
        <translation>Values (waiting: last values received)</translation>
    </message>
    <message id="測定値表示">
        <source></source>
        <translation>Values</translation>
    </message>
    <message id="ダブルクリックでＹ軸スケール設定">
        <source></source>
        <translation>Double-click to set the Y-axis scale</translation>
    </message>
    <message id="ダブルクリックでＸ軸スケール設定">
        <source></source>
        <translation>Double-click to set the time axis</translation>
    </message>
    <message id="比較 %1 %2 %3">
        <source></source>
        <translation>Compare %1 %2 %3</translation>
    </message>
    <message id="－">
        <source></source>
        <translation>-</translation>
    </message>
    <message id="比較表示（破線）：%1　%2">
        <source></source>
        <translation>Compare (dashed): %1  %2</translation>
    </message>
    <message id="開始を揃えて表示">
        <source></source>
        <translation>starts aligned</translation>
    </message>
    <message id="元の時刻で表示">
        <source></source>
        <translation>at its own times</translation>
    </message>
    <message id="前へ">
        <source></source>
        <translation>Previous</translation>
    </message>
    <message id="次へ">
        <source></source>
        <translation>Next</translation>
    </message>
    <message id="集計・レポート">
        <source></source>
        <translation>Summary and report</translation>
    </message>
    <message id="15分">
        <source></source>
        <translation>15 min</translation>
    </message>
    <message id="30分">
        <source></source>
        <translation>30 min</translation>
    </message>
    <message id="60分">
        <source></source>
        <translation>60 min</translation>
    </message>
    <message id="全期間">
        <source></source>
        <translation>Whole period</translation>
    </message>
    <message id="期間：">
        <source></source>
        <translation>Period:</translation>
    </message>
    <message id="～">
        <source></source>
        <translation>to</translation>
    </message>
    <message id="デマンド時限：">
        <source></source>
        <translation>Demand interval:</translation>
    </message>
    <message id="集計">
        <source></source>
        <translation>Summary</translation>
    </message>
    <message id="デマンド（kW）">
        <source></source>
        <translation>Demand (kW)</translation>
    </message>
    <message id="日ごとの電力量（kWh）">
        <source></source>
        <translation>Energy per day (kWh)</translation>
    </message>
    <message id="ブックに保存...">
        <source></source>
        <translation>Save workbook...</translation>
    </message>
    <message id="PDFレポート...">
        <source></source>
        <translation>PDF report...</translation>
    </message>
    <message id="Excelﾌﾞｯｸ(*.xlsx)">
        <source></source>
        <translation>Excel workbook (*.xlsx)</translation>
    </message>
    <message id="ブックに保存">
        <source></source>
        <translation>Save workbook</translation>
    </message>
    <message id="自動選択">
        <source></source>
        <translation>Auto</translation>
    </message>
    <message id="設定">
        <source></source>
        <translation>Set</translation>
    </message>
    <message id="Ｘ軸スケール設定">
        <source></source>
        <translation>X-axis scale</translation>
    </message>
    <message id="X軸設定">
        <source></source>
        <translation>X axis</translation>
    </message>
    <message id="範囲描画：">
        <source></source>
        <translation>Range:</translation>
    </message>
    <message id="スタート値：">
        <source></source>
        <translation>Start:</translation>
    </message>
    <message id="測定期間">
        <source></source>
        <translation>Measurement period</translation>
    </message>
    <message id="Y軸スケール設定">
        <source></source>
        <translation>Y-axis scale</translation>
    </message>
    <message id="Ｙ軸設定">
        <source></source>
        <translation>Y axis</translation>
    </message>
    <message id="描画範囲">
        <source></source>
        <translation>Range</translation>
    </message>
    <message id="最小値：">
        <source></source>
        <translation>Minimum:</translation>
    </message>
    <message id="スケール刻み：">
        <source></source>
        <translation>Scale step:</translation>
    </message>
    <message id="( -100.0 ～ 99999.0 )">
        <source></source>
        <translation>( -100.0 to 99999.0 )</translation>
    </message>
    <message id="温度＋－：">
        <source></source>
        <translation>Sign:</translation>
    </message>
    <message id="データ一覧表示">
        <source></source>
        <translation>Data list</translation>
    </message>
    <message id="%1日 %2">
        <source></source>
        <translation>%1 d %2</translation>
    </message>
    <message id="カーソル1 %1">
        <source></source>
        <translation>Cursor 1 %1</translation>
    </message>
    <message id="カーソル2 %1">
        <source></source>
        <translation>Cursor 2 %1</translation>
    </message>
    <message id="Δt %1">
        <source></source>
        <translation>Δt %1</translation>
    </message>
    <message id="%1 %2 → %3 (差 %4) 最小 %5 平均 %6 最大 %7 %8">
        <source></source>
        <translation>%1 %2 → %3 (diff. %4) min %5 mean %6 max %7 %8</translation>
    </message>
    <message id="電力量 %1 kWh  平均電力 %2 kW">
        <source></source>
        <translation>Energy %1 kWh  mean power %2 kW</translation>
    </message>
    <message id="日付を入力してください。">
        <source></source>
        <translation>Enter a date.</translation>
    </message>
    <message id="計測期間の範囲で設定してください。">
        <source></source>
        <translation>Enter a time within the measurement period.</translation>
    </message>
    <message id="数値を入力してください。">
        <source></source>
        <translation>Enter a number.</translation>
    </message>
    <message id="データに合わせる">
        <source></source>
        <translation>Fit to data</translation>
    </message>
    <message id="(データなし)">
        <source></source>
        <translation>(no data)</translation>
    </message>
    <message id=" ～ ">
        <source></source>
        <translation> to </translation>
    </message>
    <message id="１分間  ">
        <source></source>
        <translation>1 minute  </translation>
    </message>
    <message id="１時間  ">
        <source></source>
        <translation>1 hour  </translation>
    </message>
    <message id="１日　　">
        <source></source>
        <translation>1 day  </translation>
    </message>
    <message id="＋－">
        <source></source>
        <translation>+/-</translation>
    </message>
    <message id="＋">
        <source></source>
        <translation>+</translation>
    </message>
    <message id="(0.0   ～ ">
        <source></source>
        <translation>(0.0   to </translation>
    </message>
    <message id="(0     ～ ">
        <source></source>
        <translation>(0     to </translation>
    </message>
    <message id="(0.000 ～ ">
        <source></source>
        <translation>(0.000 to </translation>
    </message>
    <message id="(0.00  ～ ">
        <source></source>
        <translation>(0.00  to </translation>
    </message>
    <message id="グラフ表示">
        <source></source>
        <translation>Graph</translation>
    </message>
    <message id="測定期間：">
        <source></source>
        <translation>Measurement period:</translation>
    </message>
    <message id="積算電力量：">
        <source></source>
        <translation>Accumulated energy:</translation>
    </message>
    <message id="最大電力（発生日時）：">
        <source></source>
        <translation>Peak power (at):</translation>
    </message>
    <message id="%1は変更できません。">
        <source></source>
        <translation>%1 cannot be changed.</translation>
    </message>
    <message id="Ｙ軸スケール［">
        <source></source>
        <translation>Y-axis scale [</translation>
    </message>
    <message id="］">
        <source></source>
        <translation>]</translation>
    </message>
    <message id="オーバーフローしました。">
        <source></source>
        <translation>Overflow.</translation>
    </message>
    <message id="インデックスが有効範囲にありません。">
        <source></source>
        <translation>Subscript out of range.</translation>
    </message>
    <message id="0 で除算しました。">
        <source></source>
        <translation>Division by zero.</translation>
    </message>
    <message id="番号">
        <source></source>
        <translation>No.</translation>
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
    <message id="温度2(℃)">
        <source></source>
        <translation>Temperature 2 (℃)</translation>
    </message>
    <message id="温度2">
        <source></source>
        <translation>Temperature 2</translation>
    </message>
</context>
</TS>
