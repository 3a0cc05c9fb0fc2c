<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="ja_JP" sourcelanguage="en_US">
<context>
    <name>AboutWindow</name>
    <message>
        <source>Licence: GPL-3.0-or-later</source>
        <translation>ライセンス: GPL-3.0-or-later</translation>
    </message>
</context>
<context>
    <name>ActivityPane</name>
    <message>
        <source>Activity</source>
        <translation>恒星活動</translation>
    </message>
    <message>
        <source>The activity index shown</source>
        <translation>表示する活動指標</translation>
    </message>
    <message>
        <source>Time since first measurement (days)</source>
        <translation>最初の測定からの時間 (日)</translation>
    </message>
    <message>
        <source>Index</source>
        <translation>指標</translation>
    </message>
    <message>
        <source>Periodogram of the index: false-alarm probability 1 % at the dashed line, 0.1 % at the dotted one.</source>
        <translation>指標のピリオドグラム: 破線は誤検出確率 1 %、点線は 0.1 % の水準です。</translation>
    </message>
    <message>
        <source>may be activity
%1, %2 d</source>
        <translation>活動の可能性
%1, %2 日</translation>
    </message>
    <message>
        <source>Velocity (m/s)</source>
        <translation>視線速度 (m/s)</translation>
    </message>
    <message>
        <source>r = %1, p %2, n = %3</source>
        <extracomment>%2 is "= 0.43", "= 3×10⁻⁵" or "&lt; 10⁻³⁰⁰".</extracomment>
        <translation>r = %1, p %2, n = %3</translation>
    </message>
    <message>
        <source>No correlation: %1</source>
        <translation>相関なし: %1</translation>
    </message>
    <message>
        <source>These data have no activity index. Files with columns such as the S-index, log R'HK, Hα, the line width (FWHM) or the bisector span show them here.</source>
        <translation>このデータには活動指標がありません。S指標、log R'HK、Hα、線幅 (FWHM)、バイセクタスパンなどの列があるファイルなら、ここに表示されます。</translation>
    </message>
    <message>
        <source>Analysing the activity indices…</source>
        <translation>活動指標を解析しています…</translation>
    </message>
    <message>
        <source>%1 of %2 points analysed have a value of %3; each instrument's mean is removed from it and from the velocities before they are compared.</source>
        <translation>解析する %2 点のうち %1 点に %3 の値があります。比べる前に、指標と視線速度の両方から装置ごとの平均を引いています。</translation>
    </message>
    <message>
        <source>%1 without one are left out.</source>
        <translation>値のない %1 点は除きました。</translation>
    </message>
    <message>
        <source>No periodogram: %1</source>
        <translation>ピリオドグラムなし: %1</translation>
    </message>
</context>
<context>
    <name>AliasText</name>
    <message>
        <source>%1 d</source>
        <translation>%1 日</translation>
    </message>
    <message>
        <source>1 day</source>
        <translation>1日</translation>
    </message>
    <message>
        <source>sidereal day</source>
        <translation>恒星日</translation>
    </message>
    <message>
        <source>1 year</source>
        <translation>1年</translation>
    </message>
    <message>
        <source>lunar month</source>
        <translation>朔望月</translation>
    </message>
    <message>
        <source>window peak (%1)</source>
        <translation>スペクトル窓のピーク（%1）</translation>
    </message>
    <message>
        <source>alias of the %1 planet under the %2 window peak (%3)</source>
        <translation>公転周期 %1 の惑星の、%2 の窓ピークによるエイリアス（%3）</translation>
    </message>
    <message>
        <source>alias of %1 under the %2 window peak (%3)</source>
        <translation>%1 のピークの、%2 の窓ピークによるエイリアス（%3）</translation>
    </message>
    <message>
        <source>alias of planet %1 (%2, %3)</source>
        <translation>惑星 %1 のエイリアス（%2、%3）</translation>
    </message>
    <message>
        <source>alias of %1 (%2, %3)</source>
        <translation>%1 のエイリアス（%2、%3）</translation>
    </message>
</context>
<context>
    <name>AnswerKeyWindow</name>
    <message>
        <source>Answer key: %1</source>
        <translation>解答: %1</translation>
    </message>
    <message>
        <source>Export PDF…</source>
        <translation>PDF に書き出す…</translation>
    </message>
    <message>
        <source>Export CSV…</source>
        <translation>CSV に書き出す…</translation>
    </message>
    <message>
        <source>Export JSON…</source>
        <translation>JSON に書き出す…</translation>
    </message>
    <message>
        <source>PDF document (*.pdf)</source>
        <translation>PDF 文書 (*.pdf)</translation>
    </message>
    <message>
        <source>CSV text (*.csv)</source>
        <translation>CSV テキスト (*.csv)</translation>
    </message>
    <message>
        <source>JSON text (*.json)</source>
        <translation>JSON テキスト (*.json)</translation>
    </message>
</context>
<context>
    <name>CaptureWindow</name>
    <message>
        <source>The delay must be between 1 and %1 seconds.</source>
        <translation>待ち時間は1秒から%1秒の間にしてください。</translation>
    </message>
    <message>
        <source>Z Capture: this desktop does not tell which window is active, so the whole screen was captured.</source>
        <translation>Z Capture: このデスクトップではアクティブなウィンドウが分からないため、画面全体をキャプチャしました。</translation>
    </message>
    <message>
        <source>Nothing was captured: no active window could be copied.</source>
        <translation>何もキャプチャされませんでした: アクティブなウィンドウをコピーできませんでした。</translation>
    </message>
    <message>
        <source>The capture was not saved: no folder "Capture" can be written, neither beside the program nor in your pictures folder.</source>
        <translation>キャプチャは保存されませんでした: プログラムの隣にもピクチャフォルダーにも、書き込めるフォルダー「Capture」がありません。</translation>
    </message>
    <message>
        <source>The capture was not saved: every name up to %1 is taken in %2.</source>
        <translation>キャプチャは保存されませんでした: %2 では %1 までの名前がすべて使われています。</translation>
    </message>
    <message>
        <source>The capture could not be written to %1.</source>
        <translation>キャプチャを %1 に書き込めませんでした。</translation>
    </message>
    <message>
        <source>No folder "Capture" can be made, neither beside the program nor in your pictures folder.</source>
        <translation>プログラムの隣にもピクチャフォルダーにも、フォルダー「Capture」を作れません。</translation>
    </message>
</context>
<context>
    <name>CatalogDocument</name>
    <message>
        <source>It is not a regular file.</source>
        <translation>通常のファイルではありません。</translation>
    </message>
</context>
<context>
    <name>CatalogNotes</name>
    <message>
        <source>(P revised: 0.7365 d)</source>
        <translation>(P 改訂値: 0.7365 d)</translation>
    </message>
    <message>
        <source>The catalog's 2.7955 d is an alias of the true period, which its yearly gaps in the velocities let through. Dawson &amp; Fabrycky (2010) showed that the planet's period is 0.7365 d; Winn et al. (2011) and Demory et al. (2011) then saw it transit its star at that period.</source>
        <translation>カタログの 2.7955 d は真の公転周期のエイリアスで、視線速度の観測に毎年できる空白のために紛れ込んだものです。Dawson &amp; Fabrycky (2010) はこの惑星の公転周期が 0.7365 d であることを示し、その後 Winn ほか (2011) と Demory ほか (2011) がこの周期で恒星の前を通過するトランジットを観測しました。</translation>
    </message>
</context>
<context>
    <name>ChallengeLoading</name>
    <message>
        <source>Challenge %1</source>
        <translation>チャレンジ %1</translation>
    </message>
</context>
<context>
    <name>ChallengeMaker</name>
    <message>
        <source>New challenge</source>
        <translation>新しいチャレンジ</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>レベル</translation>
    </message>
    <message>
        <source>Observations</source>
        <translation>観測点の数</translation>
    </message>
    <message>
        <source>Noise σ</source>
        <translation>ノイズ σ</translation>
    </message>
    <message>
        <source>Cadence</source>
        <translation>観測の間隔</translation>
    </message>
    <message>
        <source>Random seed</source>
        <translation>乱数の種</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>ヒント</translation>
    </message>
    <message>
        <source>Class code</source>
        <translation>クラスコード</translation>
    </message>
    <message>
        <source>Teacher's code</source>
        <translation>教師用コード</translation>
    </message>
    <message>
        <source>Nightly, with weather and seasons</source>
        <translation>毎晩（天候と季節による欠測あり）</translation>
    </message>
    <message>
        <source>Random times</source>
        <translation>ランダムな時刻</translation>
    </message>
    <message>
        <source>"How close am I?" may answer</source>
        <translation>「どれくらい近い？」を使える</translation>
    </message>
    <message>
        <source>Make codes</source>
        <translation>コードを作る</translation>
    </message>
    <message>
        <source>For the students: it gives the data</source>
        <translation>生徒用: データが得られます</translation>
    </message>
    <message>
        <source>For you: it gives the data and the answer key</source>
        <translation>教師用: データと解答が得られます</translation>
    </message>
</context>
<context>
    <name>ChallengePanel</name>
    <message>
        <source>Score my answer</source>
        <translation>答えを採点する</translation>
    </message>
    <message>
        <source>Answer key…</source>
        <translation>解答…</translation>
    </message>
    <message>
        <source>P (days)</source>
        <translation>P（日）</translation>
    </message>
    <message>
        <source>K (m/s)</source>
        <translation>K（m/s）</translation>
    </message>
    <message>
        <source>e</source>
        <translation>e</translation>
    </message>
    <message>
        <source>m sin i (MJup)</source>
        <translation>m sin i（木星質量）</translation>
    </message>
    <message>
        <source>Planet %1</source>
        <translation>惑星 %1</translation>
    </message>
    <message>
        <source>Open a challenge with the code your teacher gave you (File → Open challenge…).</source>
        <translation>先生から受け取ったコードでチャレンジを開いてください（ファイル → チャレンジを開く…）。</translation>
    </message>
    <message>
        <source>Challenge %1: %2. %3 observations; the star's mass is %4 solar masses.</source>
        <translation>チャレンジ %1: %2。観測 %3 点、恒星の質量は %4 太陽質量。</translation>
    </message>
    <message>
        <source>%1 of planet %2</source>
        <translation>惑星 %2 の %1</translation>
    </message>
    <message>
        <source>Planet %1:</source>
        <translation>惑星 %1:</translation>
    </message>
    <message>
        <source>%1 of %2 right</source>
        <translation>%2 問中 %1 問正解</translation>
    </message>
</context>
<context>
    <name>ChallengeTexts</name>
    <message>
        <source>%1 is right, within what the data allow (±%2).</source>
        <translation>%1 は正解です（データが許す範囲 ±%2 以内）。</translation>
    </message>
    <message>
        <source>%1 is too long: shorten it.</source>
        <translation>%1 は長すぎます: 短くしてください。</translation>
    </message>
    <message>
        <source>%1 is too short: lengthen it.</source>
        <translation>%1 は短すぎます: 長くしてください。</translation>
    </message>
    <message>
        <source>%1 is too large: make it smaller.</source>
        <translation>%1 は大きすぎます: 小さくしてください。</translation>
    </message>
    <message>
        <source>%1 is too small: make it larger.</source>
        <translation>%1 は小さすぎます: 大きくしてください。</translation>
    </message>
    <message>
        <source>%1 is too large: the orbit is rounder.</source>
        <translation>%1 は大きすぎます: 軌道はもっと円に近いです。</translation>
    </message>
    <message>
        <source>%1 is too small: the orbit is more elongated.</source>
        <translation>%1 は小さすぎます: 軌道はもっと細長いです。</translation>
    </message>
</context>
<context>
    <name>ClosenessCheck</name>
    <message>
        <source>Looking for the best fit…</source>
        <translation>最良フィットを探しています…</translation>
    </message>
    <message>
        <source>No best fit to compare with: %1</source>
        <translation>比べる最良フィットがありません: %1</translation>
    </message>
    <message>
        <source>as good as the best fit</source>
        <translation>最良フィットと同じくらい良い</translation>
    </message>
    <message>
        <source>close</source>
        <translation>もう少し</translation>
    </message>
    <message>
        <source>getting closer</source>
        <translation>近づいている</translation>
    </message>
    <message>
        <source>far</source>
        <translation>まだ遠い</translation>
    </message>
    <message>
        <source>Your χ² is as low as the best fit's: %1.</source>
        <translation>あなたの χ² は最良フィットと同じくらい小さい: %1。</translation>
    </message>
    <message>
        <source>Your χ² is %1 times the best fit's: %2.</source>
        <translation>あなたの χ² は最良フィットの %1 倍: %2。</translation>
    </message>
    <message>
        <source>How close am I?</source>
        <translation>どのくらい近い？</translation>
    </message>
</context>
<context>
    <name>DataChart</name>
    <message>
        <source>Model</source>
        <translation>モデル</translation>
    </message>
</context>
<context>
    <name>DerivedPanel</name>
    <message>
        <source>Derived values</source>
        <translation>導かれる値</translation>
    </message>
    <message>
        <source>Mass function f:</source>
        <translation>質量関数 f:</translation>
    </message>
    <message>
        <source>m sin i (exact):</source>
        <translation>最小質量 m sin i (厳密):</translation>
    </message>
    <message>
        <source>True mass m:</source>
        <translation>真の質量 m:</translation>
    </message>
    <message>
        <source>Semi-major axis a:</source>
        <translation>軌道長半径 a:</translation>
    </message>
    <message>
        <source>Star's orbital speed:</source>
        <translation>恒星の軌道速度:</translation>
    </message>
    <message>
        <source>Screen2's MassFunction:</source>
        <translation>Screen2 の MassFunction:</translation>
    </message>
</context>
<context>
    <name>DerivedValues</name>
    <message>
        <source>%1 Jupiter masses = %2 Earth masses: %3</source>
        <translation>%1 木星質量 = %2 地球質量: %3</translation>
    </message>
    <message>
        <source>%1 solar masses</source>
        <translation>%1 太陽質量</translation>
    </message>
    <message>
        <source>undetermined (face-on): at i = 0 the star moves across the sky only, so its velocities set no upper limit</source>
        <translation>決まらない (正面向き): i = 0 では恒星は天球面内でしか動かないので、視線速度から上限は決まりません</translation>
    </message>
    <message>
        <source>at i = %1°: </source>
        <translation>i = %1° のとき: </translation>
    </message>
    <message>
        <source> (heavier than the star)</source>
        <translation> (恒星より重い)</translation>
    </message>
    <message>
        <source>%1 AU</source>
        <translation>%1 AU</translation>
    </message>
    <message>
        <source>%1 m/s (2π a★ / P)</source>
        <translation>%1 m/s (2π a★ / P)</translation>
    </message>
    <message>
        <source>undetermined (face-on)</source>
        <translation>決まらない (正面向き)</translation>
    </message>
    <message>
        <source>%1 Jupiter masses (a = %2 AU, small-mass approximation)</source>
        <translation>%1 木星質量 (a = %2 AU、小質量近似)</translation>
    </message>
    <message>
        <source>— (Screen2 refuses these elements)</source>
        <translation>— (Screen2 はこの軌道要素を受け付けません)</translation>
    </message>
</context>
<context>
    <name>DetectabilityChart</name>
    <message>
        <source>Period (days)</source>
        <translation>周期 (日)</translation>
    </message>
    <message>
        <source>m sin i (Jupiter masses)</source>
        <translation>最小質量 m sin i（木星質量）</translation>
    </message>
    <message>
        <source>K (m/s)</source>
        <translation>半振幅 K (m/s)</translation>
    </message>
</context>
<context>
    <name>DetectabilityPane</name>
    <message>
        <source>Periods (d)</source>
        <translation>周期 (日)</translation>
    </message>
    <message>
        <source>to</source>
        <translation>〜</translation>
    </message>
    <message>
        <source>points</source>
        <translation>点</translation>
    </message>
    <message>
        <source>Trials per cell</source>
        <translation>1マスの試行数</translation>
    </message>
    <message>
        <source>False-alarm threshold</source>
        <translation>誤検出確率のしきい値</translation>
    </message>
    <message>
        <source>Inject into</source>
        <translation>注入先</translation>
    </message>
    <message>
        <source>Detectability</source>
        <translation>検出可能性</translation>
    </message>
    <message>
        <source>K (m/s)</source>
        <translation>K (m/s)</translation>
    </message>
    <message>
        <source>m sin i (M_J)</source>
        <translation>m sin i (M_J)</translation>
    </message>
    <message>
        <source>The map's second axis: the semi-amplitude, or the minimum mass with the star's mass of the fit's settings</source>
        <translation>地図の縦軸：半振幅 K、またはフィット設定の恒星質量から求めた最小質量 m sin i</translation>
    </message>
    <message>
        <source>Residuals of the fit</source>
        <translation>フィットの残差</translation>
    </message>
    <message>
        <source>Simulated noise of the same uncertainties</source>
        <translation>同じ誤差で作った模擬ノイズ</translation>
    </message>
    <message>
        <source>An injected planet counts as found when the highest peak lies at its period with a false-alarm probability at most this</source>
        <translation>注入した惑星は、最も高いピークがその公転周期にあり、誤検出確率がこの値以下のとき検出されたとみなします</translation>
    </message>
    <message>
        <source>Run</source>
        <translation>実行</translation>
    </message>
    <message>
        <source>What could these data have found? Planets on circular orbits are injected at several phases in each cell and searched for with the periodogram.</source>
        <translation>このデータで何が見つけられたか？ 各マスで円軌道の惑星をいくつかの位相で注入し、ピリオドグラムで探します。</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>中止</translation>
    </message>
    <message>
        <source>%v of %m cells</source>
        <translation>%v / %m マス</translation>
    </message>
    <message>
        <source>Save CSV…</source>
        <translation>CSV を保存…</translation>
    </message>
    <message>
        <source>Save picture…</source>
        <translation>画像を保存…</translation>
    </message>
    <message>
        <source>Each range must run from a smaller value to a larger one.</source>
        <translation>範囲はどれも小さい値から大きい値へ指定してください。</translation>
    </message>
    <message>
        <source>Injecting planets…</source>
        <translation>惑星を注入しています…</translation>
    </message>
    <message>
        <source>Injecting planets into the measured velocities (no fit to take residuals of)…</source>
        <translation>測定した視線速度に惑星を注入しています（残差をとるフィットがありません）…</translation>
    </message>
    <message>
        <source>Cancelled: the map was not finished.</source>
        <translation>中止しました：地図は完成していません。</translation>
    </message>
    <message>
        <source>The colour is the share of injected planets found, from white (none) to dark blue (all). Planets above the dashed line are found in half the trials, above the solid line in nine of ten (%1 trials a cell, false-alarm probability at most %2).</source>
        <translation>色は注入した惑星の回収率で、白（0）から濃い青（すべて）までです。破線より上の惑星は試行の半分で、実線より上の惑星は10回に9回検出されます（1マス %1 回の試行、誤検出確率 %2 以下）。</translation>
    </message>
    <message>
        <source>CSV table (*.csv)</source>
        <translation>CSV 表 (*.csv)</translation>
    </message>
    <message>
        <source>Map saved as %1.</source>
        <translation>地図を %1 として保存しました。</translation>
    </message>
    <message>
        <source>PNG picture (*.png);;SVG drawing (*.svg)</source>
        <translation>PNG 画像 (*.png);;SVG 図 (*.svg)</translation>
    </message>
    <message>
        <source>Detectability map</source>
        <translation>検出可能性の地図</translation>
    </message>
</context>
<context>
    <name>ElementPanel</name>
    <message>
        <source>Period P</source>
        <translation>公転周期 P</translation>
    </message>
    <message>
        <source>Semi-amplitude K</source>
        <translation>半振幅 K</translation>
    </message>
    <message>
        <source>Eccentricity e</source>
        <translation>離心率 e</translation>
    </message>
    <message>
        <source>Periastron ω</source>
        <translation>近点引数 ω</translation>
    </message>
    <message>
        <source>Periastron time</source>
        <translation>近点通過時刻 T_p</translation>
    </message>
    <message>
        <source>Star mass M★</source>
        <translation>恒星質量 M★</translation>
    </message>
    <message>
        <source>Inclination i</source>
        <translation>軌道傾斜角 i</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>速さ</translation>
    </message>
    <message>
        <source>Orbital phase on the horizontal axis</source>
        <translation>横軸を軌道位相にする</translation>
    </message>
    <message>
        <source>Show Screen3's schematic curve</source>
        <translation>Screen3 の模式的な曲線を表示</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>再生</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>一時停止</translation>
    </message>
</context>
<context>
    <name>ExportFlow</name>
    <message>
        <source>%1 could not be written: %2</source>
        <translation>%1 に書き込めませんでした: %2</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
</context>
<context>
    <name>FileCommands</name>
    <message>
        <source>Open RV data…</source>
        <translation>視線速度データを開く…</translation>
    </message>
    <message>
        <source>Real data</source>
        <translation>実測データ</translation>
    </message>
    <message>
        <source>Synthetic examples</source>
        <translation>合成データの例</translation>
    </message>
    <message>
        <source>Make synthetic observations…</source>
        <translation>合成観測データを作る…</translation>
    </message>
    <message>
        <source>Save observations as text…</source>
        <translation>観測データをテキストで保存…</translation>
    </message>
    <message>
        <source>Export data, model and residuals (CSV)…</source>
        <translation>データ・モデル・残差を書き出す (CSV)…</translation>
    </message>
    <message>
        <source>Export fit results (CSV)…</source>
        <translation>フィット結果を書き出す (CSV)…</translation>
    </message>
    <message>
        <source>Export fit results (JSON)…</source>
        <translation>フィット結果を書き出す (JSON)…</translation>
    </message>
    <message>
        <source>Export plots (PNG/SVG)…</source>
        <translation>グラフを書き出す (PNG/SVG)…</translation>
    </message>
    <message>
        <source>Velocity unit</source>
        <translation>速度の単位</translation>
    </message>
    <message>
        <source>As the file says</source>
        <translation>ファイルの指定どおり</translation>
    </message>
    <message>
        <source>m/s</source>
        <translation>m/s</translation>
    </message>
    <message>
        <source>km/s</source>
        <translation>km/s</translation>
    </message>
</context>
<context>
    <name>FitControls</name>
    <message>
        <source>Fit</source>
        <translation>フィット</translation>
    </message>
    <message>
        <source>Jitter per instrument</source>
        <translation>観測装置ごとのジッター</translation>
    </message>
    <message>
        <source>Linear trend</source>
        <translation>線形トレンド</translation>
    </message>
    <message>
        <source>Circular orbits (e = 0)</source>
        <translation>円軌道 (e = 0)</translation>
    </message>
    <message>
        <source>Find planets</source>
        <translation>惑星を探す</translation>
    </message>
    <message>
        <source>Bootstrap…</source>
        <translation>ブートストラップ…</translation>
    </message>
    <message>
        <source>Posterior…</source>
        <translation>事後分布…</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>中止</translation>
    </message>
    <message>
        <source>Planets to fit; the most that Find planets adds</source>
        <translation>フィットする惑星の数。「惑星を探す」が加える上限</translation>
    </message>
    <message>
        <source> M☉</source>
        <translation> M☉</translation>
    </message>
    <message>
        <source>Find planets stops at the first peak whose false-alarm probability is above this</source>
        <translation>「惑星を探す」は誤検出確率がこの値を超える最初のピークで止まります</translation>
    </message>
    <message>
        <source>Planets</source>
        <translation>惑星の数</translation>
    </message>
    <message>
        <source>Star mass</source>
        <translation>恒星質量</translation>
    </message>
    <message>
        <source>FAP threshold</source>
        <translation>誤検出確率のしきい値</translation>
    </message>
    <message>
        <source>Decorrelate against</source>
        <translation>活動指標との相関を除去</translation>
    </message>
    <message>
        <source>none</source>
        <translation>なし</translation>
    </message>
    <message>
        <source>Fit one coefficient per instrument on this activity index; measurements without it are left out</source>
        <translation>装置ごとにこの活動指標への係数を1つ当てはめます（指標の値がない測定は除外します）</translation>
    </message>
</context>
<context>
    <name>HandFitPane</name>
    <message>
        <source>Your curve</source>
        <translation>あなたの曲線</translation>
    </message>
    <message>
        <source>No goodness to show: %1</source>
        <translation>当てはまりの良さを表示できません: %1</translation>
    </message>
    <message>
        <source>Reduced χ² = %1    rms of the residuals = %2 m/s</source>
        <translation>換算 χ² = %1    残差の rms = %2 m/s</translation>
    </message>
    <message>
        <source>χ² = %1 (too few points for a reduced χ²)    rms of the residuals = %2 m/s</source>
        <translation>χ² = %1（換算 χ² には点が少なすぎます）    残差の rms = %2 m/s</translation>
    </message>
    <message>
        <source>Fold on my P</source>
        <translation>自分の P で位相を折り畳む</translation>
    </message>
    <message>
        <source>v − γ (m/s)</source>
        <translation>視線速度 v − γ (m/s)</translation>
    </message>
    <message>
        <source>orbital phase (0 = periastron)</source>
        <translation>軌道位相（0 = 近点通過）</translation>
    </message>
    <message>
        <source>days since the first measurement</source>
        <translation>最初の測定からの日数</translation>
    </message>
    <message>
        <source>residual (m/s)</source>
        <translation>残差 (m/s)</translation>
    </message>
</context>
<context>
    <name>KeplerLab</name>
    <message>
        <source>True orbit</source>
        <translation>真の軌道</translation>
    </message>
    <message>
        <source>File(&amp;F)</source>
        <translation>ファイル(&amp;F)</translation>
    </message>
    <message>
        <source>Export Curve as CSV…(&amp;C)</source>
        <translation>曲線を CSV で書き出す…(&amp;C)</translation>
    </message>
    <message>
        <source>Save Plot as PNG or SVG…(&amp;P)</source>
        <translation>グラフを PNG か SVG で保存…(&amp;P)</translation>
    </message>
    <message>
        <source>Save Orbit as PNG or SVG…(&amp;O)</source>
        <translation>軌道を PNG か SVG で保存…(&amp;O)</translation>
    </message>
    <message>
        <source>Close(&amp;W)</source>
        <translation>閉じる(&amp;W)</translation>
    </message>
    <message>
        <source>PNG picture (*.png);;SVG drawing (*.svg)</source>
        <translation>PNG 画像 (*.png);;SVG 図 (*.svg)</translation>
    </message>
    <message>
        <source>CSV text (*.csv)</source>
        <translation>CSV テキスト (*.csv)</translation>
    </message>
    <message>
        <source> (elements changed)</source>
        <translation> (軌道要素を変更)</translation>
    </message>
    <message>
        <source>View(&amp;V)</source>
        <translation>表示(&amp;V)</translation>
    </message>
    <message>
        <source>Presentation(&amp;P)</source>
        <translation>プレゼンテーション(&amp;P)</translation>
    </message>
</context>
<context>
    <name>LabClassroom</name>
    <message>
        <source>Lessons</source>
        <translation>レッスン</translation>
    </message>
    <message>
        <source>New challenge…</source>
        <translation>新しいチャレンジ…</translation>
    </message>
    <message>
        <source>Open challenge…</source>
        <translation>チャレンジを開く…</translation>
    </message>
    <message>
        <source>Challenge worksheet (PDF)…</source>
        <translation>チャレンジのワークシート（PDF）…</translation>
    </message>
    <message>
        <source>Open lesson…</source>
        <translation>レッスンを開く…</translation>
    </message>
    <message>
        <source>Lesson worksheet (PDF)…</source>
        <translation>レッスンのワークシート（PDF）…</translation>
    </message>
    <message>
        <source>Challenge</source>
        <translation>チャレンジ</translation>
    </message>
    <message>
        <source>Lesson</source>
        <translation>レッスン</translation>
    </message>
    <message>
        <source>Type the class code your teacher gave you:</source>
        <translation>先生から受け取ったクラスコードを入力してください:</translation>
    </message>
    <message>
        <source>Open challenge</source>
        <translation>チャレンジを開く</translation>
    </message>
    <message>
        <source>This code opens no challenge: %1</source>
        <translation>このコードではチャレンジを開けません: %1</translation>
    </message>
    <message>
        <source>Open lesson</source>
        <translation>レッスンを開く</translation>
    </message>
    <message>
        <source>This lesson cannot be opened: %1</source>
        <translation>このレッスンは開けません: %1</translation>
    </message>
    <message>
        <source>Open a challenge first (File → Open challenge…).</source>
        <translation>先にチャレンジを開いてください（ファイル → チャレンジを開く…）。</translation>
    </message>
    <message>
        <source>Challenge worksheet</source>
        <translation>チャレンジのワークシート</translation>
    </message>
    <message>
        <source>Open a lesson first (File → Lessons).</source>
        <translation>先にレッスンを開いてください（ファイル → レッスン）。</translation>
    </message>
    <message>
        <source>Lesson worksheet</source>
        <translation>レッスンのワークシート</translation>
    </message>
</context>
<context>
    <name>LabPlanet</name>
    <message>
        <source>Planet of the set-up</source>
        <translation>設定した惑星</translation>
    </message>
</context>
<context>
    <name>LanguageMenu</name>
    <message>
        <source>Language</source>
        <translation>言語</translation>
    </message>
</context>
<context>
    <name>LessonPanel</name>
    <message>
        <source>reduced χ²</source>
        <translation>換算 χ²</translation>
    </message>
    <message>
        <source>Next step</source>
        <translation>次のステップ</translation>
    </message>
    <message>
        <source>Check</source>
        <translation>確かめる</translation>
    </message>
    <message>
        <source>No lesson open: choose one in File → Lessons, or open a lesson file.</source>
        <translation>レッスンが開かれていません: ファイル → レッスンから選ぶか、レッスンファイルを開いてください。</translation>
    </message>
    <message>
        <source>The lesson is finished. Well done!</source>
        <translation>レッスンは終わりです。よくできました！</translation>
    </message>
    <message>
        <source>Step %1 of %2: %3</source>
        <translation>ステップ %1 / %2: %3</translation>
    </message>
    <message>
        <source>Right.</source>
        <translation>正解です。</translation>
    </message>
    <message>
        <source>Not yet: %1 is too large.</source>
        <translation>まだです: %1 は大きすぎます。</translation>
    </message>
    <message>
        <source>Not yet: %1 is too small.</source>
        <translation>まだです: %1 は小さすぎます。</translation>
    </message>
    <message>
        <source>The lab must show %1 = %2 (±%3).</source>
        <translation>ラボで %1 = %2（±%3）にしてください。</translation>
    </message>
</context>
<context>
    <name>MassFunctionWindow</name>
    <message>
        <source>Real data</source>
        <translation>実測データ</translation>
    </message>
    <message>
        <source>Open the measured velocities of this planet's star in the Kepler lab</source>
        <translation>この惑星の恒星で測られた視線速度をケプラー・ラボで開きます</translation>
    </message>
    <message>
        <source>M_{E}(Earth masses)</source>
        <translation>M_{E}(地球質量)</translation>
    </message>
    <message>
        <source>M_{JUP}(Jupiter masses)</source>
        <translation>M_{JUP}(木星質量)</translation>
    </message>
</context>
<context>
    <name>ObservationsPanel</name>
    <message>
        <source>Use as current planet</source>
        <translation>現在の惑星にする</translation>
    </message>
    <message>
        <source>%1 %2 (fit)</source>
        <translation>%1 %2 (フィット)</translation>
    </message>
    <message>
        <source>No data: open a file, drop one here, or choose a set from the File menu.</source>
        <translation>データがありません: ファイルを開くか、ここへドロップするか、ファイルメニューからデータを選んでください。</translation>
    </message>
    <message>
        <source>Synthetic example: %1</source>
        <translation>合成データの例: %1</translation>
    </message>
    <message>
        <source>Open RV data</source>
        <translation>視線速度データを開く</translation>
    </message>
    <message>
        <source>%1 cannot be read:
%2</source>
        <translation>%1 を読めません:
%2</translation>
    </message>
    <message>
        <source>&lt;b&gt;%1&lt;/b&gt;: %2 measurements — %3</source>
        <translation>&lt;b&gt;%1&lt;/b&gt;: 測定 %2 点 — %3</translation>
    </message>
    <message>
        <source>; %1 left out of the analysis</source>
        <translation>。うち %1 点は解析から除外</translation>
    </message>
    <message>
        <source>Other points are analysed now: fit again.</source>
        <translation>解析する点が変わりました。もう一度フィットしてください。</translation>
    </message>
    <message>
        <source>Number of bootstrap refits (10 to 2000). Each refits the data with resampled residuals; the spread of the results is the uncertainty.</source>
        <translation>ブートストラップで再フィットする回数 (10 から 2000)。毎回、残差を再抽出したデータをフィットし直し、結果のばらつきを不確かさとします。</translation>
    </message>
    <message>
        <source>Bootstrap</source>
        <translation>ブートストラップ</translation>
    </message>
    <message>
        <source>Please type a whole number from 10 to 2000.</source>
        <translation>10 から 2000 までの整数を入力してください。</translation>
    </message>
    <message>
        <source>Cancelled.</source>
        <translation>中止しました。</translation>
    </message>
    <message>
        <source>The fit stopped at its iteration limit; the best point found is shown.</source>
        <translation>反復回数の上限でフィットが止まりました。見つかった最良の点を表示しています。</translation>
    </message>
    <message>
        <source>Fit converged.</source>
        <translation>フィットが収束しました。</translation>
    </message>
    <message>
        <source>No peak is significant below the false-alarm threshold: no planet found.</source>
        <translation>誤検出確率のしきい値を下回る有意なピークがありません: 惑星は見つかりませんでした。</translation>
    </message>
    <message>
        <source>1 planet found.</source>
        <translation>惑星が 1 個見つかりました。</translation>
    </message>
    <message>
        <source>%1 planets found.</source>
        <translation>惑星が %1 個見つかりました。</translation>
    </message>
    <message>
        <source>Bootstrap of %1 refits.</source>
        <translation>%1 回の再フィットによるブートストラップ。</translation>
    </message>
    <message>
        <source>%1 saved as %2.</source>
        <translation>%1 を %2 として保存しました。</translation>
    </message>
    <message>
        <source>Observations</source>
        <translation>観測データ</translation>
    </message>
    <message>
        <source>Data, model and residuals</source>
        <translation>データ・モデル・残差</translation>
    </message>
    <message>
        <source>Fit results</source>
        <translation>フィット結果</translation>
    </message>
    <message>
        <source>Plot saved as %1.</source>
        <translation>グラフを %1 として保存しました。</translation>
    </message>
    <message>
        <source>RV data (*.txt)</source>
        <translation>視線速度データ (*.txt)</translation>
    </message>
    <message>
        <source>CSV table (*.csv)</source>
        <translation>CSV 表 (*.csv)</translation>
    </message>
    <message>
        <source>JSON (*.json)</source>
        <translation>JSON (*.json)</translation>
    </message>
    <message>
        <source>PNG picture (*.png);;SVG drawing (*.svg)</source>
        <translation>PNG 画像 (*.png);;SVG 図 (*.svg)</translation>
    </message>
</context>
<context>
    <name>OffsetControls</name>
    <message>
        <source>● Offset γ (%1)</source>
        <translation>● オフセット γ（%1）</translation>
    </message>
</context>
<context>
    <name>OrbitView</name>
    <message>
        <source>Orbit seen from above, around the star</source>
        <translation>上から見た恒星のまわりの軌道</translation>
    </message>
    <message>
        <source>line of nodes</source>
        <translation>交点線</translation>
    </message>
    <message>
        <source>periastron</source>
        <translation>近点</translation>
    </message>
    <message>
        <source>to observer</source>
        <translation>観測者の方向</translation>
    </message>
    <message>
        <source>star's reflex orbit, enlarged ×%1</source>
        <translation>恒星の反射運動の軌道 (×%1 に拡大)</translation>
    </message>
</context>
<context>
    <name>PeriodogramChart</name>
    <message>
        <source>Period (days)</source>
        <translation>周期 (日)</translation>
    </message>
    <message>
        <source>Power</source>
        <translation>パワー</translation>
    </message>
    <message>
        <source>Data</source>
        <translation>データ</translation>
    </message>
    <message>
        <source>Residuals of the fit</source>
        <translation>フィットの残差</translation>
    </message>
    <message>
        <source>Highest peaks</source>
        <translation>最も高いピーク</translation>
    </message>
</context>
<context>
    <name>PeriodogramPane</name>
    <message>
        <source>Recompute</source>
        <translation>再計算</translation>
    </message>
    <message>
        <source>Of</source>
        <translation>対象</translation>
    </message>
    <message>
        <source>Period (d)</source>
        <translation>周期 (d)</translation>
    </message>
    <message>
        <source>Power</source>
        <translation>パワー</translation>
    </message>
    <message>
        <source>FAP</source>
        <translation>誤検出確率</translation>
    </message>
    <message>
        <source> d</source>
        <translation> d</translation>
    </message>
    <message>
        <source>The periods the periodogram covers; the fits search the same range</source>
        <translation>ピリオドグラムが調べる周期の範囲。フィットも同じ範囲を探します</translation>
    </message>
    <message>
        <source>Periods from</source>
        <translation>周期の範囲</translation>
    </message>
    <message>
        <source>to</source>
        <translation>から</translation>
    </message>
    <message>
        <source>data</source>
        <translation>データ</translation>
    </message>
    <message>
        <source>residuals</source>
        <translation>残差</translation>
    </message>
    <message>
        <source>The shortest period must be below the longest.</source>
        <translation>最短の周期は最長の周期より短くしてください。</translation>
    </message>
    <message>
        <source>Periodogram</source>
        <translation>ピリオドグラム</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>備考</translation>
    </message>
</context>
<context>
    <name>PictureFile</name>
    <message>
        <source>the picture is %1 × %2 pixels; pictures of up to %3 million pixels can be loaded.</source>
        <translation>画像は %1 × %2 ピクセルです。読み込めるのは %3 百万ピクセルまでの画像です。</translation>
    </message>
    <message>
        <source>the picture data is damaged or incomplete (%1).</source>
        <translation>画像データが壊れているか不完全です (%1)。</translation>
    </message>
    <message>
        <source>the file cannot be opened.</source>
        <translation>ファイルを開けません。</translation>
    </message>
    <message>
        <source>it is not a regular file.</source>
        <translation>通常のファイルではありません。</translation>
    </message>
    <message>
        <source>the file is larger than %1 MB.</source>
        <translation>ファイルが %1 MB を超えています。</translation>
    </message>
    <message>
        <source>the file ends before the picture does</source>
        <translation>画像の途中でファイルが終わっています</translation>
    </message>
    <message>
        <source>it is not a picture in a format this program can read.</source>
        <translation>このプログラムが読める形式の画像ではありません。</translation>
    </message>
</context>
<context>
    <name>PlanetCatalog</name>
    <message>
        <source>55Cnc b/55 Cancri planet b</source>
        <translation>55Cnc b/かに座55番星 惑星 b</translation>
    </message>
    <message>
        <source>55Cnc c/55 Cancri planet c</source>
        <translation>55Cnc c/かに座55番星 惑星 c</translation>
    </message>
    <message>
        <source>55Cnc d/55 Cancri planet d</source>
        <translation>55Cnc d/かに座55番星 惑星 d</translation>
    </message>
    <message>
        <source>55Cnc e/55 Cancri planet e</source>
        <translation>55Cnc e/かに座55番星 惑星 e</translation>
    </message>
    <message>
        <source>55Cnc f/55 Cancri planet f</source>
        <translation>55Cnc f/かに座55番星 惑星 f</translation>
    </message>
    <message>
        <source>47UMa b/47 Ursae Majoris planet b</source>
        <translation>47UMa b/大熊座47番星惑星 b</translation>
    </message>
    <message>
        <source>47UMa c/47 Ursae Majoris planet c</source>
        <translation>47UMa c/大熊座47番星惑星 c</translation>
    </message>
</context>
<context>
    <name>PlotFiles</name>
    <message>
        <source>OQ9 data file</source>
        <translation>OQ9データファイル</translation>
    </message>
    <message>
        <source>JPEG image</source>
        <translation>JPEGイメージ</translation>
    </message>
    <message>
        <source>GIF image</source>
        <translation>GIFイメージ</translation>
    </message>
    <message>
        <source>PNG image</source>
        <translation>PNGイメージ</translation>
    </message>
    <message>
        <source>Bitmap image</source>
        <translation>Bitmapイメージ</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>すべてのファイル</translation>
    </message>
    <message>
        <source>The picture could not be saved as
%1

%2

Nothing was saved.</source>
        <translation>画像を次の名前で保存できませんでした。
%1

%2

何も保存されていません。</translation>
    </message>
    <message>
        <source>Open File</source>
        <translation>ファイルを開く</translation>
    </message>
    <message>
        <source>The file
%1
could not be loaded: %2</source>
        <translation>ファイル
%1
を読み込めませんでした: %2</translation>
    </message>
</context>
<context>
    <name>PlotsPane</name>
    <message>
        <source>Time since first measurement (days)</source>
        <translation>最初の測定からの時間 (日)</translation>
    </message>
    <message>
        <source>Velocity − mean (m/s)</source>
        <translation>視線速度 − 平均 (m/s)</translation>
    </message>
    <message>
        <source>O − C (m/s)</source>
        <translation>O − C 残差 (m/s)</translation>
    </message>
    <message>
        <source>Orbital phase from periastron</source>
        <translation>近点からの軌道位相</translation>
    </message>
    <message>
        <source>Velocity of this planet alone (m/s)</source>
        <translation>この惑星だけによる視線速度 (m/s)</translation>
    </message>
    <message>
        <source>Velocities</source>
        <translation>視線速度</translation>
    </message>
    <message>
        <source>Phase</source>
        <translation>位相</translation>
    </message>
    <message>
        <source>Instruments</source>
        <translation>観測装置</translation>
    </message>
    <message>
        <source>Exclude points</source>
        <translation>点を除外</translation>
    </message>
    <message>
        <source>A rubber band excludes the points inside it instead of zooming; a click on a point excludes it or takes it back</source>
        <translation>拡大の代わりに、囲んだ範囲の点を除外します。点をクリックすると、その点を除外するか元に戻します</translation>
    </message>
    <message>
        <source>Reset zoom</source>
        <translation>拡大を元に戻す</translation>
    </message>
    <message>
        <source>Velocity − offset (m/s)</source>
        <translation>視線速度 − オフセット (m/s)</translation>
    </message>
</context>
<context>
    <name>PosteriorTable</name>
    <message>
        <source>Quantity</source>
        <translation>量</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>単位</translation>
    </message>
    <message>
        <source>Median</source>
        <translation>中央値</translation>
    </message>
    <message>
        <source>68.3 % interval</source>
        <translation>68.3 % 区間</translation>
    </message>
    <message>
        <source>95 % interval</source>
        <translation>95 % 区間</translation>
    </message>
    <message>
        <source>Fit ± covariance σ</source>
        <translation>フィット ± 共分散の σ</translation>
    </message>
    <message>
        <source>τ (steps)</source>
        <translation>τ (ステップ)</translation>
    </message>
    <message>
        <source>split-R̂</source>
        <translation>split-R̂</translation>
    </message>
</context>
<context>
    <name>PosteriorWindow</name>
    <message>
        <source>Posterior</source>
        <translation>事後分布</translation>
    </message>
    <message>
        <source>automatic</source>
        <translation>自動</translation>
    </message>
    <message>
        <source>Walkers</source>
        <translation>ウォーカー数</translation>
    </message>
    <message>
        <source>Step limit</source>
        <translation>ステップ数の上限</translation>
    </message>
    <message>
        <source>Seed</source>
        <translation>乱数の種</translation>
    </message>
    <message>
        <source>σ of the star's mass (M☉)</source>
        <translation>恒星質量の σ (M☉)</translation>
    </message>
    <message>
        <source>Sample</source>
        <translation>サンプリング</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>中止</translation>
    </message>
    <message>
        <source>Priors: %1</source>
        <translation>事前分布: %1</translation>
    </message>
    <message>
        <source>Results</source>
        <translation>結果</translation>
    </message>
    <message>
        <source>Corner plot</source>
        <translation>コーナープロット</translation>
    </message>
    <message>
        <source>Traces</source>
        <translation>トレース</translation>
    </message>
    <message>
        <source>Save corner plot…</source>
        <translation>コーナープロットを保存…</translation>
    </message>
    <message>
        <source>Save chain (CSV)…</source>
        <translation>チェーンを保存 (CSV)…</translation>
    </message>
    <message>
        <source>Save results (JSON)…</source>
        <translation>結果を保存 (JSON)…</translation>
    </message>
    <message>
        <source>Sampling…</source>
        <translation>サンプリング中…</translation>
    </message>
    <message>
        <source>Step %1 of at most %2; autocorrelation time %3 steps; split-R̂ %4</source>
        <translation>ステップ %1 / 最大 %2、自己相関時間 %3 ステップ、split-R̂ %4</translation>
    </message>
    <message>
        <source>Step %1 of at most %2</source>
        <translation>ステップ %1 / 最大 %2</translation>
    </message>
    <message>
        <source>SVG drawing (*.svg);;PNG picture (*.png)</source>
        <translation>SVG 図 (*.svg);;PNG 画像 (*.png)</translation>
    </message>
    <message>
        <source>CSV table (*.csv)</source>
        <translation>CSV 表 (*.csv)</translation>
    </message>
    <message>
        <source>JSON (*.json)</source>
        <translation>JSON (*.json)</translation>
    </message>
    <message>
        <source>Save results (CSV)…</source>
        <translation>結果を保存 (CSV)…</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Excluded</source>
        <translation>除外</translation>
    </message>
    <message>
        <source>Planet %1: P = %2 d, K = %3 m/s</source>
        <translation>惑星 %1: P = %2 d, K = %3 m/s</translation>
    </message>
    <message>
        <source>—</source>
        <translation>—</translation>
    </message>
</context>
<context>
    <name>RegistrationDialogue</name>
    <message>
        <source>Enter the planet's name / 0 or Enter stops</source>
        <translation>惑星の名前を入力/0 Or「Enter」入力でStop</translation>
    </message>
    <message>
        <source>Enter the planet's period P (days) / 0 or Enter stops</source>
        <translation>惑星の公転周期P(days)を入力/0 Or「Enter」入力でStop</translation>
    </message>
    <message>
        <source>Enter the semi-amplitude K of the radial velocity (m/s) / 0 or Enter stops</source>
        <translation>視線速度振幅K(m/s)を入力/0 Or「Enter」入力でStop</translation>
    </message>
    <message>
        <source>Enter the planet's eccentricity e / a negative value stops / Enter gives 0</source>
        <translation>惑星の離心率eを入力/0未満入力でStop/「Enter」で0入力</translation>
    </message>
    <message>
        <source>Enter the argument of periastron ω (degrees) / a negative value or Enter stops</source>
        <translation>近星点経度ωを入力/0未満入力 Or「Enter」でStop</translation>
    </message>
    <message>
        <source>Enter the planet–star distance a (AU) / 0 or Enter stops</source>
        <translation>惑星－恒星間の距離(AU)を入力/0 Or「Enter」入力でStop</translation>
    </message>
    <message>
        <source>Enter the star's mass M (solar masses) / 0 or Enter stops</source>
        <translation>恒星の質量Mを入力(太陽質量)/0入力 Or「Enter」でStop</translation>
    </message>
</context>
<context>
    <name>RegistrationWindow</name>
    <message>
        <source>The planet could not be added to
%1

%2

It is shown in the list, but the document was not changed.</source>
        <translation>惑星を次の文書に追加できませんでした。
%1

%2

リストには表示されていますが、文書は変更されていません。</translation>
    </message>
</context>
<context>
    <name>ResultTable</name>
    <message>
        <source>Quantity</source>
        <translation>量</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>値</translation>
    </message>
    <message>
        <source>±</source>
        <translation>±</translation>
    </message>
    <message>
        <source>± (bootstrap)</source>
        <translation>± (ブートストラップ)</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>単位</translation>
    </message>
    <message>
        <source>P</source>
        <translation>公転周期 P</translation>
    </message>
    <message>
        <source>d</source>
        <translation>d</translation>
    </message>
    <message>
        <source>K</source>
        <translation>半振幅 K</translation>
    </message>
    <message>
        <source>m/s</source>
        <translation>m/s</translation>
    </message>
    <message>
        <source>e</source>
        <translation>離心率 e</translation>
    </message>
    <message>
        <source>ω</source>
        <translation>近点引数 ω</translation>
    </message>
    <message>
        <source>°</source>
        <translation>°</translation>
    </message>
    <message>
        <source>T_p</source>
        <translation>近点通過時刻 T_p</translation>
    </message>
    <message>
        <source>T_c</source>
        <translation>合の時刻 T_c</translation>
    </message>
    <message>
        <source>m sin i</source>
        <translation>最小質量 m sin i</translation>
    </message>
    <message>
        <source>M_Jup</source>
        <translation>M_Jup</translation>
    </message>
    <message>
        <source>M_Earth</source>
        <translation>M_Earth</translation>
    </message>
    <message>
        <source>offset</source>
        <translation>オフセット</translation>
    </message>
    <message>
        <source>jitter</source>
        <translation>ジッター</translation>
    </message>
    <message>
        <source>rms</source>
        <translation>rms</translation>
    </message>
    <message>
        <source>trend</source>
        <translation>トレンド</translation>
    </message>
    <message>
        <source>m/s/d</source>
        <translation>m/s/d</translation>
    </message>
    <message>
        <source>−ln L</source>
        <translation>−ln L</translation>
    </message>
    <message>
        <source>χ²</source>
        <translation>χ²</translation>
    </message>
    <message>
        <source>BIC</source>
        <translation>BIC</translation>
    </message>
    <message>
        <source>points</source>
        <translation>点数</translation>
    </message>
    <message>
        <source>Unconstrained: the uncertainty exceeds the value.</source>
        <translation>制約なし：不確かさが値を上回っています。</translation>
    </message>
    <message>
        <source>decorrelation</source>
        <translation>活動指標の係数</translation>
    </message>
    <message>
        <source>m/s per unit of %1</source>
        <translation>%1 の1単位あたり m/s</translation>
    </message>
</context>
<context>
    <name>RvPlot</name>
    <message>
        <source>Radial velocity of the star</source>
        <translation>恒星の視線速度</translation>
    </message>
    <message>
        <source>true Keplerian curve</source>
        <translation>ケプラー運動による真の曲線</translation>
    </message>
    <message>
        <source>Screen3's schematic curve</source>
        <translation>Screen3 の模式的な曲線</translation>
    </message>
    <message>
        <source>planet now</source>
        <translation>現在の惑星の位置</translation>
    </message>
    <message>
        <source>radial velocity v (m/s)</source>
        <translation>視線速度 v (m/s)</translation>
    </message>
    <message>
        <source>orbital phase (0 = periastron)</source>
        <translation>軌道位相 (0 = 近点)</translation>
    </message>
    <message>
        <source>time t (days)</source>
        <translation>時刻 t (日)</translation>
    </message>
</context>
<context>
    <name>SceneSetup</name>
    <message>
        <source>Enter the planet's period P (days) / Enter or 0 stops</source>
        <translation>惑星の公転周期P(days)を入力/「Enter」/0入力でStop</translation>
    </message>
    <message>
        <source>Enter the semi-amplitude K of the radial velocity (m/s) / Enter or 0 stops</source>
        <translation>視線速度の振幅K(m/s)を入力/「Enter」/0入力でStop</translation>
    </message>
    <message>
        <source>Enter the planet's eccentricity e / a negative value stops / Enter gives 0</source>
        <translation>惑星の離心率eを入力/0入力でStop/「Enter」で0入力</translation>
    </message>
    <message>
        <source>Enter the argument of periastron ω (degrees) / Enter, 0 or less stops</source>
        <translation>近星点経度ωを入力/0未満入力 Or「Enter」/0でStop</translation>
    </message>
    <message>
        <source>Enter the planet–star distance a (AU) / Enter or 0 stops</source>
        <translation>惑星－恒星間の距離(AU)を入力/「Enter」/0入力でStop</translation>
    </message>
    <message>
        <source>Enter the star's mass M (solar masses) / Enter or 0 stops</source>
        <translation>恒星の質量Mを入力(太陽質量)/「Enter」でStop</translation>
    </message>
    <message>
        <source>An eccentricity of 1 or more is no orbit around the star. This value cannot be used.</source>
        <translation>離心率が1以上では恒星を回る軌道になりません。この値は使えません。</translation>
    </message>
    <message>
        <source>This value is too large to calculate with. It cannot be used.</source>
        <translation>この値は大きすぎて計算できません。使えません。</translation>
    </message>
</context>
<context>
    <name>SideView</name>
    <message>
        <source>Side view along the line of nodes</source>
        <translation>交点線の方向から見た横からの図</translation>
    </message>
    <message>
        <source>sky plane</source>
        <translation>天球面</translation>
    </message>
    <message>
        <source>to observer</source>
        <translation>観測者の方向</translation>
    </message>
    <message>
        <source>orbit's normal</source>
        <translation>軌道面の法線</translation>
    </message>
    <message>
        <source>i = %1°   sin i = %2</source>
        <translation>i = %1°   sin i = %2</translation>
    </message>
</context>
<context>
    <name>SpottedStarBox</name>
    <message>
        <source>Spotted star</source>
        <translation>黒点のある恒星</translation>
    </message>
    <message>
        <source>Spots carried round by the star's rotation shift the velocities and raise the S-index together</source>
        <translation>恒星の自転で回る黒点が、視線速度をずらし、同時にS指数を高めます</translation>
    </message>
    <message>
        <source>Rotation period</source>
        <translation>自転周期</translation>
    </message>
    <message>
        <source>Spot lifetime</source>
        <translation>黒点の寿命</translation>
    </message>
    <message>
        <source>Velocity amplitude</source>
        <translation>視線速度の半振幅</translation>
    </message>
    <message>
        <source>S-index amplitude</source>
        <translation>S指数の半振幅</translation>
    </message>
    <message>
        <source> d</source>
        <translation> d</translation>
    </message>
    <message>
        <source> m/s</source>
        <translation> m/s</translation>
    </message>
</context>
<context>
    <name>SyntheticDialog</name>
    <message>
        <source>Make synthetic observations</source>
        <translation>合成観測データを作る</translation>
    </message>
    <message>
        <source> d</source>
        <translation> d</translation>
    </message>
    <message>
        <source>Nightly, with weather and seasonal gaps</source>
        <translation>毎晩 (天候と季節による空白あり)</translation>
    </message>
    <message>
        <source>Random times</source>
        <translation>ランダムな時刻</translation>
    </message>
    <message>
        <source> m/s</source>
        <translation> m/s</translation>
    </message>
    <message>
        <source>Observing</source>
        <translation>観測する惑星</translation>
    </message>
    <message>
        <source>Points</source>
        <translation>点数</translation>
    </message>
    <message>
        <source>Time span</source>
        <translation>観測期間</translation>
    </message>
    <message>
        <source>Cadence</source>
        <translation>観測の間隔</translation>
    </message>
    <message>
        <source>Noise σ</source>
        <translation>ノイズ σ</translation>
    </message>
    <message>
        <source>Extra jitter</source>
        <translation>追加のジッター</translation>
    </message>
    <message>
        <source>Random seed</source>
        <translation>乱数の種</translation>
    </message>
    <message>
        <source>Instrument</source>
        <translation>観測装置</translation>
    </message>
    <message>
        <source>Make</source>
        <translation>作成</translation>
    </message>
    <message>
        <source>no planet: choose one in the lab first</source>
        <translation>惑星なし: 先にラボで惑星を選んでください</translation>
    </message>
    <message>
        <source>the lab's planet</source>
        <translation>ラボの惑星</translation>
    </message>
    <message>
        <source>Synthetic observations of %1(%2, seed %3)</source>
        <translation>%1 の合成観測データ (%2、乱数の種 %3)</translation>
    </message>
    <message>
        <source>There is no planet to observe: choose one in the lab first.</source>
        <translation>観測する惑星がありません: 先にラボで惑星を選んでください。</translation>
    </message>
    <message>
        <source>No observations could be made of this planet.</source>
        <translation>この惑星の観測データを作れませんでした。</translation>
    </message>
</context>
<context>
    <name>VelocityPicture</name>
    <message>
        <source>time (days); radial velocity (m/s)</source>
        <translation>時刻（日）; 視線速度（m/s）</translation>
    </message>
    <message>
        <source>orbital phase of planet %1 from periastron; radial velocity (m/s)</source>
        <translation>惑星 %1 の近点からの軌道位相; 視線速度（m/s）</translation>
    </message>
</context>
<context>
    <name>WindowChart</name>
    <message>
        <source>Period (days)</source>
        <translation>周期 (日)</translation>
    </message>
    <message>
        <source>Window</source>
        <translation>窓関数</translation>
    </message>
</context>
<context>
    <name>WindowPane</name>
    <message>
        <source>Spectral window</source>
        <translation>スペクトル窓</translation>
    </message>
    <message>
        <source>Period (d)</source>
        <translation>周期 (d)</translation>
    </message>
    <message>
        <source>Window power</source>
        <translation>窓関数の値</translation>
    </message>
    <message>
        <source>Named</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>The periodogram of the times alone. A signal at frequency f also shows at f ± f_w for each peak f_w marked here: its aliases.</source>
        <translation>観測時刻だけのピリオドグラム。周波数 f の信号は、ここに印を付けた各ピーク f_w について f ± f_w にも現れます（エイリアス）。</translation>
    </message>
</context>
</TS>