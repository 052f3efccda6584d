<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>Commands</name>
    <message>
        <source>新規ﾌｧｲﾙ</source>
        <translation>New File</translation>
    </message>
    <message>
        <source>新規にﾌｧｲﾙを作成</source>
        <translation>Create a new document</translation>
    </message>
    <message>
        <source>開く</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>既存のﾌｧｲﾙ(.qvlogo)を開く、またはMetasequoiaﾌｧｲﾙ(.mqo)を読み込む</source>
        <translation>Open a document (.qvlogo) or import a Metasequoia file (.mqo)</translation>
    </message>
    <message>
        <source>上書き保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>開いているﾌｧｲﾙを上書きして保存</source>
        <translation>Save the open document</translation>
    </message>
    <message>
        <source>名前を付けて保存</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙに名前を付けて保存、またはWebﾍﾟｰｼﾞ(WebGL, WebGPU)として書き出す</source>
        <translation>Save the document under a name, or export it as a web page (WebGL, WebGPU)</translation>
    </message>
    <message>
        <source>ﾓﾃﾞﾙ追加</source>
        <translation>Add Model</translation>
    </message>
    <message>
        <source>ﾓﾃﾞﾙを追加する</source>
        <translation>Add a model from a Metasequoia file</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙを開く</source>
        <translation>Open File</translation>
    </message>
    <message>
        <source>このﾌｧｲﾙを開く</source>
        <translation>Open this file</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>ｱﾌﾟﾘｹｰｼｮﾝを終了し、ﾌｧｲﾙの保存を指示</source>
        <translation>Quit the program, offering to save the document</translation>
    </message>
    <message>
        <source>元に戻す</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>直前に行った動作を元に戻す</source>
        <translation>Undo the last action</translation>
    </message>
    <message>
        <source>繰り返す</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>直前に元に戻した動作を繰り返す</source>
        <translation>Redo the last undone action</translation>
    </message>
    <message>
        <source>全ﾌﾚｰﾑのｱﾆﾒｰｼｮﾝのｺﾋﾟｰ</source>
        <translation>Copy Animation of All Frames</translation>
    </message>
    <message>
        <source>選択ﾓﾃﾞﾙの全ﾌﾚｰﾑのｱﾆﾒｰｼｮﾝをｺﾋﾟｰ</source>
        <translation>Copy the selected model&apos;s animation of all frames</translation>
    </message>
    <message>
        <source>全ﾌﾚｰﾑのｱﾆﾒｰｼｮﾝの貼付</source>
        <translation>Paste Animation of All Frames</translation>
    </message>
    <message>
        <source>ｺﾋﾟｰした全ﾌﾚｰﾑのｱﾆﾒｰｼｮﾝを選択ﾓﾃﾞﾙに貼り付け</source>
        <translation>Paste the copied animation of all frames into the selected model</translation>
    </message>
    <message>
        <source>現在ﾌﾚｰﾑのｱﾆﾒｰｼｮﾝｺﾋﾟｰ</source>
        <translation>Copy Current Pose</translation>
    </message>
    <message>
        <source>現在ﾌﾚｰﾑのｱﾆﾒｰｼｮﾝをｺﾋﾟｰ</source>
        <translation>Copy the pose at the current frame</translation>
    </message>
    <message>
        <source>現在ﾌﾚｰﾑのｱﾆﾒｰｼｮﾝ貼付</source>
        <translation>Paste Current Pose</translation>
    </message>
    <message>
        <source>ｺﾋﾟｰしたｱﾆﾒｰｼｮﾝを現在ﾌﾚｰﾑに貼り付け</source>
        <translation>Paste the copied pose at the current frame</translation>
    </message>
    <message>
        <source>文字作成</source>
        <translation>Create Text</translation>
    </message>
    <message>
        <source>ｶﾒﾗを左から</source>
        <translation>Camera from Left</translation>
    </message>
    <message>
        <source>ｶﾒﾗを左から向ける</source>
        <translation>View the scene from the left</translation>
    </message>
    <message>
        <source>ｶﾒﾗを上から</source>
        <translation>Camera from Top</translation>
    </message>
    <message>
        <source>ｶﾒﾗを上から向ける</source>
        <translation>View the scene from the top</translation>
    </message>
    <message>
        <source>ｶﾒﾗを前から</source>
        <translation>Camera from Front</translation>
    </message>
    <message>
        <source>ｶﾒﾗを前から向ける</source>
        <translation>View the scene from the front</translation>
    </message>
    <message>
        <source>ｶﾒﾗを右から</source>
        <translation>Camera from Right</translation>
    </message>
    <message>
        <source>ｶﾒﾗを右から向ける</source>
        <translation>View the scene from the right</translation>
    </message>
    <message>
        <source>ｶﾒﾗを下から</source>
        <translation>Camera from Bottom</translation>
    </message>
    <message>
        <source>ｶﾒﾗを下から向ける</source>
        <translation>View the scene from the bottom</translation>
    </message>
    <message>
        <source>ｶﾒﾗを後ろから</source>
        <translation>Camera from Back</translation>
    </message>
    <message>
        <source>ｶﾒﾗを後ろから向ける</source>
        <translation>View the scene from the back</translation>
    </message>
    <message>
        <source>ｶﾒﾗをﾓﾃﾞﾙに向ける</source>
        <translation>Aim Camera at Model</translation>
    </message>
    <message>
        <source>ｶﾒﾗを選択ﾓﾃﾞﾙに向ける(もう一度で解除)</source>
        <translation>Aim the camera at the selected model (again to stop)</translation>
    </message>
    <message>
        <source>移動</source>
        <translation>Move</translation>
    </message>
    <message>
        <source>選択ﾓﾃﾞﾙをﾏｳｽで移動する</source>
        <translation>Move the selected model with the mouse</translation>
    </message>
    <message>
        <source>回転</source>
        <translation>Rotate</translation>
    </message>
    <message>
        <source>選択ﾓﾃﾞﾙをﾏｳｽで回転する</source>
        <translation>Rotate the selected model with the mouse</translation>
    </message>
    <message>
        <source>拡大</source>
        <translation>Scale</translation>
    </message>
    <message>
        <source>選択ﾓﾃﾞﾙをﾏｳｽで拡大・縮小する</source>
        <translation>Scale the selected model up or down with the mouse</translation>
    </message>
    <message>
        <source>再生</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>ｱﾆﾒｰｼｮﾝを再生</source>
        <translation>Play the animation</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>ｱﾆﾒｰｼｮﾝを停止</source>
        <translation>Stop the animation</translation>
    </message>
    <message>
        <source>1ﾌﾚｰﾑ進む</source>
        <translation>Next Frame</translation>
    </message>
    <message>
        <source>1ﾌﾚｰﾑ戻る</source>
        <translation>Previous Frame</translation>
    </message>
    <message>
        <source>次のｷｰﾌﾚｰﾑ</source>
        <translation>Next Key Frame</translation>
    </message>
    <message>
        <source>選択ﾓﾃﾞﾙの次のｷｰﾌﾚｰﾑへ移動</source>
        <translation>Go to the selected model&apos;s next key frame</translation>
    </message>
    <message>
        <source>前のｷｰﾌﾚｰﾑ</source>
        <translation>Previous Key Frame</translation>
    </message>
    <message>
        <source>選択ﾓﾃﾞﾙの前のｷｰﾌﾚｰﾑへ移動</source>
        <translation>Go to the selected model&apos;s previous key frame</translation>
    </message>
    <message>
        <source>最初のﾌﾚｰﾑ</source>
        <translation>First Frame</translation>
    </message>
    <message>
        <source>最初のﾌﾚｰﾑへ移動</source>
        <translation>Go to the first frame</translation>
    </message>
    <message>
        <source>最後のﾌﾚｰﾑ</source>
        <translation>Last Frame</translation>
    </message>
    <message>
        <source>最後のﾌﾚｰﾑへ移動</source>
        <translation>Go to the last frame</translation>
    </message>
    <message>
        <source>ｷｰﾌﾚｰﾑの追加・削除</source>
        <translation>Add or Delete Key Frames</translation>
    </message>
    <message>
        <source>ﾌﾚｰﾑを指定してｷｰﾌﾚｰﾑを追加・削除</source>
        <translation>Add or delete key frames at a frame you choose</translation>
    </message>
    <message>
        <source>選択ﾓﾃﾞﾙのｷｰﾌﾚｰﾑ追加</source>
        <translation>Add Key Frame to Selected Model</translation>
    </message>
    <message>
        <source>選択ﾓﾃﾞﾙの現在ﾌﾚｰﾑにｷｰﾌﾚｰﾑを追加</source>
        <translation>Add a key frame to the selected model at the current frame</translation>
    </message>
    <message>
        <source>全ﾓﾃﾞﾙのｷｰﾌﾚｰﾑ追加</source>
        <translation>Add Key Frame to All Models</translation>
    </message>
    <message>
        <source>全ﾓﾃﾞﾙの現在ﾌﾚｰﾑにｷｰﾌﾚｰﾑを追加</source>
        <translation>Add a key frame to every model at the current frame</translation>
    </message>
    <message>
        <source>選択ﾓﾃﾞﾙのｷｰﾌﾚｰﾑ削除</source>
        <translation>Delete Key Frame of Selected Model</translation>
    </message>
    <message>
        <source>選択ﾓﾃﾞﾙの現在ﾌﾚｰﾑのｷｰﾌﾚｰﾑを削除</source>
        <translation>Delete the selected model&apos;s key frame at the current frame</translation>
    </message>
    <message>
        <source>全ﾓﾃﾞﾙのｷｰﾌﾚｰﾑ削除</source>
        <translation>Delete Key Frames of All Models</translation>
    </message>
    <message>
        <source>全ﾓﾃﾞﾙの現在ﾌﾚｰﾑのｷｰﾌﾚｰﾑを削除</source>
        <translation>Delete every model&apos;s key frame at the current frame</translation>
    </message>
    <message>
        <source>ﾌﾚｰﾑを挿入</source>
        <translation>Insert Frames</translation>
    </message>
    <message>
        <source>指定したﾌﾚｰﾑの後ろにﾌﾚｰﾑを挿入</source>
        <translation>Insert frames after a frame you choose</translation>
    </message>
    <message>
        <source>ﾌﾚｰﾑを削除</source>
        <translation>Delete Frames</translation>
    </message>
    <message>
        <source>指定した範囲のﾌﾚｰﾑを削除</source>
        <translation>Delete a range of frames</translation>
    </message>
    <message>
        <source>背景色</source>
        <translation>Background Color</translation>
    </message>
    <message>
        <source>背景色を変更</source>
        <translation>Change the background color</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>ｷｬﾝﾊﾞｽの大きさ、視野角、ｽﾑｰｽﾞ･ｼｪｰﾃﾞｨﾝｸﾞの角度を設定</source>
        <translation>Set the canvas size, the field of view and the smoothing angle</translation>
    </message>
    <message>
        <source>エルミート曲線</source>
        <translation>Hermite Curves</translation>
    </message>
    <message>
        <source>ｷｰﾌﾚｰﾑの間をｴﾙﾐｰﾄ曲線で補間する(外すと直線)</source>
        <translation>Fill in between key frames along Hermite curves (off: straight lines)</translation>
    </message>
    <message>
        <source>ｶﾒﾗの初期化</source>
        <translation>Reset Camera</translation>
    </message>
    <message>
        <source>ｶﾒﾗを最初の位置に戻す</source>
        <translation>Put the camera back where it started</translation>
    </message>
    <message>
        <source>ｽﾑｰｽﾞ･ｼｪｰﾃﾞｨﾝｸﾞ</source>
        <translation>Smooth Shading</translation>
    </message>
    <message>
        <source>ｽﾑｰｽﾞ･ｼｪｰﾃﾞｨﾝｸﾞとﾌﾗｯﾄ･ｼｪｰﾃﾞｨﾝｸﾞを切り替える</source>
        <translation>Switch between smooth and flat shading</translation>
    </message>
    <message>
        <source>ﾒｲﾝ ﾂｰﾙ ﾊﾞｰの表示切り替え</source>
        <translation>Show or Hide Main Toolbar</translation>
    </message>
    <message>
        <source>ﾒｲﾝ ﾂｰﾙ ﾊﾞｰの表示/非表示</source>
        <translation>Show or hide the main toolbar</translation>
    </message>
    <message>
        <source>ｺﾝﾄﾛｰﾙ ﾂｰﾙ ﾊﾞｰの表示切り替え</source>
        <translation>Show or Hide Control Toolbar</translation>
    </message>
    <message>
        <source>ｺﾝﾄﾛｰﾙ ﾂｰﾙ ﾊﾞｰの表示/非表示</source>
        <translation>Show or hide the control toolbar</translation>
    </message>
    <message>
        <source>ｽﾃｰﾀｽ ﾊﾞｰの表示切り替え</source>
        <translation>Show or Hide Status Bar</translation>
    </message>
    <message>
        <source>ｽﾃｰﾀｽ ﾊﾞｰの表示/非表示</source>
        <translation>Show or hide the status bar</translation>
    </message>
    <message>
        <source>目次</source>
        <translation>Help Contents</translation>
    </message>
    <message>
        <source>ﾍﾙﾌﾟの目次を表示</source>
        <translation>Show the help page</translation>
    </message>
    <message>
        <source>レジスターの削除</source>
        <translation>Unregister File Type</translation>
    </message>
    <message>
        <source>.qvlogo ﾌｧｲﾙの関連付けを削除</source>
        <translation>Remove the link between .qvlogo files and this program</translation>
    </message>
    <message>
        <source>ﾊﾞｰｼﾞｮﾝ情報</source>
        <translation>About</translation>
    </message>
    <message>
        <source>ﾌﾟﾛｸﾞﾗﾑの情報、ﾊﾞｰｼﾞｮﾝを表示</source>
        <translation>Show the program&apos;s information and version</translation>
    </message>
    <message>
        <source>ﾏｳｽでｶﾒﾗ操作</source>
        <translation>Mouse Moves Camera</translation>
    </message>
    <message>
        <source>ﾏｳｽでの操作をｶﾒﾗにする</source>
        <translation>Make the mouse move the camera</translation>
    </message>
    <message>
        <source>ﾏｳｽでﾓﾃﾞﾙ操作</source>
        <translation>Mouse Moves Model</translation>
    </message>
    <message>
        <source>ﾏｳｽでの操作をﾓﾃﾞﾙにする</source>
        <translation>Make the mouse move the selected model</translation>
    </message>
    <message>
        <source>ﾏｳｽでｱﾆﾒｰｼｮﾝ操作</source>
        <translation>Mouse Edits Animation</translation>
    </message>
    <message>
        <source>ﾏｳｽでの操作をｱﾆﾒｰｼｮﾝにする</source>
        <translation>Make the mouse edit the animation</translation>
    </message>
    <message>
        <source>ﾓﾃﾞﾙ削除</source>
        <translation>Delete Model</translation>
    </message>
    <message>
        <source>選択ﾓﾃﾞﾙを削除する</source>
        <translation>Delete the selected model</translation>
    </message>
    <message>
        <source>名前変更</source>
        <translation>Rename</translation>
    </message>
    <message>
        <source>選択ﾓﾃﾞﾙの名前を変更する</source>
        <translation>Rename the selected model</translation>
    </message>
    <message>
        <source>表示・非表示</source>
        <translation>Show or Hide</translation>
    </message>
    <message>
        <source>選択ﾓﾃﾞﾙの表示・非表示を切り替える</source>
        <translation>Show or hide the selected model</translation>
    </message>
    <message>
        <source>色</source>
        <translation>Color</translation>
    </message>
    <message>
        <source>選択した材質の色を変更する</source>
        <translation>Change the selected material&apos;s color</translation>
    </message>
    <message>
        <source>選択した材質の名前を変更する</source>
        <translation>Rename the selected material</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>選択した材質を削除する</source>
        <translation>Delete the selected material</translation>
    </message>
</context>
<context>
    <name>ControlBar</name>
    <message>
        <source>現在のﾌﾚｰﾑ</source>
        <translation>Current frame</translation>
    </message>
    <message>
        <source>最後のﾌﾚｰﾑ</source>
        <translation>Last frame</translation>
    </message>
    <message>
        <source>1秒間のﾌﾚｰﾑ数</source>
        <translation>Frames per second</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>ﾒｲﾝ ﾂｰﾙ ﾊﾞｰ</source>
        <translation>Main Toolbar</translation>
    </message>
    <message>
        <source>ｺﾝﾄﾛｰﾙ ﾂｰﾙ ﾊﾞｰ</source>
        <translation>Control Toolbar</translation>
    </message>
    <message>
        <source>Quorvel Logoのﾊﾞｰｼﾞｮﾝ情報</source>
        <translation>About Quorvel Logo</translation>
    </message>
    <message>
        <source>Quorvel Logo Version 0.2

アニメーションする 3D ロゴを作るツール</source>
        <translation>Quorvel Logo Version 0.2

A tool for making animated 3D logos</translation>
    </message>
    <message>
        <source>背景色</source>
        <translation>Background Color</translation>
    </message>
</context>
<context>
    <name>Menus</name>
    <message>
        <source>ﾌｧｲﾙ(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>新規作成(&amp;N)	Ctrl+N</source>
        <translation>&amp;New	Ctrl+N</translation>
    </message>
    <message>
        <source>開く(&amp;O)...	Ctrl+O</source>
        <translation>&amp;Open...	Ctrl+O</translation>
    </message>
    <message>
        <source>上書き保存(&amp;S)	Ctrl+S</source>
        <translation>&amp;Save	Ctrl+S</translation>
    </message>
    <message>
        <source>名前を付けて保存(&amp;A)...	Ctrl+A</source>
        <translation>Save &amp;As...	Ctrl+A</translation>
    </message>
    <message>
        <source>ﾓﾃﾞﾙ追加(&amp;M)...	Alt+X</source>
        <translation>Add &amp;Model...	Alt+X</translation>
    </message>
    <message>
        <source>最近使ったﾌｧｲﾙ</source>
        <translation>Recent Files</translation>
    </message>
    <message>
        <source>ｱﾌﾟﾘｹｰｼｮﾝの終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>元に戻す(&amp;U)	Ctrl+Z</source>
        <translation>&amp;Undo	Ctrl+Z</translation>
    </message>
    <message>
        <source>繰り返す(&amp;R)	Ctrl+Y</source>
        <translation>&amp;Redo	Ctrl+Y</translation>
    </message>
    <message>
        <source>全ﾌﾚｰﾑのｱﾆﾒｰｼｮﾝのｺﾋﾟｰ(&amp;C)</source>
        <translation>&amp;Copy Animation of All Frames</translation>
    </message>
    <message>
        <source>全ﾌﾚｰﾑのｱﾆﾒｰｼｮﾝの貼付(&amp;P)</source>
        <translation>&amp;Paste Animation of All Frames</translation>
    </message>
    <message>
        <source>現在ﾌﾚｰﾑのｱﾆﾒｰｼｮﾝｺﾋﾟｰ(&amp;A)</source>
        <translation>Copy Current Pos&amp;e</translation>
    </message>
    <message>
        <source>現在ﾌﾚｰﾑのｱﾆﾒｰｼｮﾝ貼付(&amp;F)</source>
        <translation>Paste Current Po&amp;se</translation>
    </message>
    <message>
        <source>作成(&amp;C)</source>
        <translation>&amp;Create</translation>
    </message>
    <message>
        <source>文字作成(&amp;S)</source>
        <translation>&amp;Text...</translation>
    </message>
    <message>
        <source>操作(&amp;O)</source>
        <translation>Ca&amp;mera</translation>
    </message>
    <message>
        <source>ｶﾒﾗを左から(&amp;L)	F1</source>
        <translation>From &amp;Left	F1</translation>
    </message>
    <message>
        <source>ｶﾒﾗを上から(&amp;T)	F2</source>
        <translation>From &amp;Top	F2</translation>
    </message>
    <message>
        <source>ｶﾒﾗを前から(&amp;F)	F3</source>
        <translation>From &amp;Front	F3</translation>
    </message>
    <message>
        <source>ｶﾒﾗを右から(&amp;R)	Shift+F1</source>
        <translation>From &amp;Right	Shift+F1</translation>
    </message>
    <message>
        <source>ｶﾒﾗを下から(&amp;B)	Shift+F2</source>
        <translation>From &amp;Bottom	Shift+F2</translation>
    </message>
    <message>
        <source>ｶﾒﾗを後ろから(&amp;K)	Shift+f3</source>
        <translation>From Bac&amp;k	Shift+F3</translation>
    </message>
    <message>
        <source>ｶﾒﾗをﾓﾃﾞﾙに向ける(&amp;D)	F4</source>
        <translation>Aim at &amp;Model	F4</translation>
    </message>
    <message>
        <source>変形(&amp;T)</source>
        <translation>&amp;Transform</translation>
    </message>
    <message>
        <source>移動(&amp;M)	Ctrl+V</source>
        <translation>&amp;Move	Ctrl+V</translation>
    </message>
    <message>
        <source>回転(&amp;R)	Ctrl+R</source>
        <translation>&amp;Rotate	Ctrl+R</translation>
    </message>
    <message>
        <source>拡大(&amp;E)	Ctrl+L</source>
        <translation>&amp;Scale	Ctrl+L</translation>
    </message>
    <message>
        <source>制御(&amp;C)</source>
        <translation>&amp;Animation</translation>
    </message>
    <message>
        <source>再生(&amp;P)	Ctrl+B</source>
        <translation>&amp;Play	Ctrl+B</translation>
    </message>
    <message>
        <source>停止(&amp;S)	Ctrl+D</source>
        <translation>&amp;Stop	Ctrl+D</translation>
    </message>
    <message>
        <source>1ﾌﾚｰﾑ進む(&amp;N)	Ctrl+E</source>
        <translation>&amp;Next Frame	Ctrl+E</translation>
    </message>
    <message>
        <source>1ﾌﾚｰﾑ戻る(&amp;P)	Ctrl+F</source>
        <translation>P&amp;revious Frame	Ctrl+F</translation>
    </message>
    <message>
        <source>次のｷｰﾌﾚｰﾑ(&amp;C)	Ctrl+G</source>
        <translation>Next &amp;Key Frame	Ctrl+G</translation>
    </message>
    <message>
        <source>前のｷｰﾌﾚｰﾑ(&amp;B)	Ctrl+H</source>
        <translation>Pr&amp;evious Key Frame	Ctrl+H</translation>
    </message>
    <message>
        <source>最初のﾌﾚｰﾑ(&amp;F)	Ctrl+I</source>
        <translation>&amp;First Frame	Ctrl+I</translation>
    </message>
    <message>
        <source>最後のﾌﾚｰﾑ(&amp;L)	Ctrl+J</source>
        <translation>&amp;Last Frame	Ctrl+J</translation>
    </message>
    <message>
        <source>ｷｰﾌﾚｰﾑの追加・削除(&amp;K)	Ctrl+K</source>
        <translation>&amp;Add or Delete Key Frames...	Ctrl+K</translation>
    </message>
    <message>
        <source>選択ﾓﾃﾞﾙのｷｰﾌﾚｰﾑ追加(&amp;A)	Ctrl+P</source>
        <translation>Add Key Frame to Selected &amp;Model	Ctrl+P</translation>
    </message>
    <message>
        <source>全ﾓﾃﾞﾙのｷｰﾌﾚｰﾑ追加(&amp;Y)	Ctrl+Q</source>
        <translation>Add Key Frame to All M&amp;odels	Ctrl+Q</translation>
    </message>
    <message>
        <source>選択ﾓﾃﾞﾙのｷｰﾌﾚｰﾑ削除(&amp;D)	Ctrl+T</source>
        <translation>&amp;Delete Key Frame of Selected Model	Ctrl+T</translation>
    </message>
    <message>
        <source>全ﾓﾃﾞﾙのｷｰﾌﾚｰﾑ削除(&amp;E)	Ctrl+U</source>
        <translation>Delete Ke&amp;y Frames of All Models	Ctrl+U</translation>
    </message>
    <message>
        <source>ﾌﾚｰﾑを挿入(&amp;G)	Alt+R</source>
        <translation>&amp;Insert Frames...	Alt+R</translation>
    </message>
    <message>
        <source>ﾌﾚｰﾑを削除(&amp;H)	Alt+U</source>
        <translation>Dele&amp;te Frames...	Alt+U</translation>
    </message>
    <message>
        <source>設定(&amp;S)</source>
        <translation>&amp;Settings</translation>
    </message>
    <message>
        <source>背景色(&amp;C)	Alt+N</source>
        <translation>Background &amp;Color...	Alt+N</translation>
    </message>
    <message>
        <source>エルミート曲線(&amp;E)</source>
        <translation>&amp;Hermite Curves</translation>
    </message>
    <message>
        <source>ｶﾒﾗの初期化(&amp;I)	Alt+W</source>
        <translation>&amp;Reset Camera	Alt+W</translation>
    </message>
    <message>
        <source>ｽﾑｰｽﾞ･ｼｪｰﾃﾞｨﾝｸﾞ(&amp;S)	Alt+P</source>
        <translation>S&amp;mooth Shading	Alt+P</translation>
    </message>
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>ﾒｲﾝ ﾂｰﾙ ﾊﾞｰ(&amp;M)	Alt+A</source>
        <translation>&amp;Main Toolbar	Alt+A</translation>
    </message>
    <message>
        <source>ｺﾝﾄﾛｰﾙ ﾂｰﾙ ﾊﾞｰ(&amp;C)	Alt+B</source>
        <translation>&amp;Control Toolbar	Alt+B</translation>
    </message>
    <message>
        <source>ｽﾃｰﾀｽ ﾊﾞｰ(&amp;S)	Alt+J</source>
        <translation>&amp;Status Bar	Alt+J</translation>
    </message>
    <message>
        <source>ﾍﾙﾌﾟ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>目次(&amp;H)	Alt+I</source>
        <translation>&amp;Contents	Alt+I</translation>
    </message>
    <message>
        <source>レジスターの削除(&amp;U)</source>
        <translation>&amp;Unregister File Type</translation>
    </message>
    <message>
        <source>Quorvel Logoのﾊﾞｰｼﾞｮﾝ情報(&amp;A)...	Alt+Q</source>
        <translation>&amp;About Quorvel Logo...	Alt+Q</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>整数を入力してください。</source>
        <translation>Please enter a whole number.</translation>
    </message>
    <message>
        <source>数字を入力してください。</source>
        <translation>Please enter a number.</translation>
    </message>
    <message>
        <source>フレーム番号が範囲外です！</source>
        <translation>The frame number is out of range.</translation>
    </message>
    <message>
        <source>モデルを選択してください！</source>
        <translation>Please select a model.</translation>
    </message>
    <message>
        <source>無題</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <source>同名のアイテムが存在します！</source>
        <translation>An item with the same name already exists.</translation>
    </message>
    <message>
        <source>ベベルの幅には 0 以上の数を入力してください。</source>
        <translation>Please enter a bevel width of 0 or more.</translation>
    </message>
    <message>
        <source>ベベルの深さには 0 以上の数を入力してください。</source>
        <translation>Please enter a bevel depth of 0 or more.</translation>
    </message>
    <message>
        <source>ベベルの深さは厚みの半分以下にしてください。</source>
        <translation>The bevel depth may be at most half the thickness.</translation>
    </message>
    <message>
        <source>ベベルの分割数には 1 から 32 の整数を入力してください。</source>
        <translation>Please enter a whole number from 1 to 32 for the bevel steps.</translation>
    </message>
    <message>
        <source>JSファイルへの書き出しに失敗しました。</source>
        <translation>Writing the JavaScript files failed.</translation>
    </message>
    <message>
        <source>WebGPU JavaScriptファイルへの書き出しに失敗しました。</source>
        <translation>Writing the WebGPU JavaScript files failed.</translation>
    </message>
    <message>
        <source>名前に「\」は使えません。</source>
        <translation>A name may not contain &quot;\&quot;.</translation>
    </message>
    <message>
        <source>ページの名前がありません。「.html」の前に名前を付けて保存してください。</source>
        <translation>The page has no name. Save it with a name before &quot;.html&quot;.</translation>
    </message>
    <message>
        <source>フォント「%1」が見つからないため、「%2」を使いました。</source>
        <translation>The font &quot;%1&quot; was not found; &quot;%2&quot; was used instead.</translation>
    </message>
    <message>
        <source>「%1」にない文字を「%2」で作りました: %3</source>
        <translation>Characters missing from &quot;%1&quot; were made with &quot;%2&quot;: %3</translation>
    </message>
    <message>
        <source>どのフォントにもない文字は四角で表しました: %1</source>
        <translation>No installed font has these characters; they are shown as boxes: %1</translation>
    </message>
    <message>
        <source>ファイルが見つからないか、この画像ファイルには対応していません！</source>
        <translation>A texture file was not found, or its image format is not supported.</translation>
    </message>
    <message>
        <source>%1：大きすぎる画像です（縦横 8192 ピクセルまで）</source>
        <translation>%1: the image is too large (at most 8192 x 8192 pixels)</translation>
    </message>
    <message>
        <source>%1：見つかりません</source>
        <translation>%1: not found</translation>
    </message>
    <message>
        <source>%1：この画像ファイルには対応していません</source>
        <translation>%1: this image format is not supported</translation>
    </message>
    <message>
        <source>%1 は大きすぎる画像です（縦横 8192 ピクセルまで）。</source>
        <translation>%1 is too large an image (at most 8192 x 8192 pixels).</translation>
    </message>
    <message>
        <source>%1 を書き出せませんでした。
%2</source>
        <translation>Could not write %1.
%2</translation>
    </message>
    <message>
        <source>モデル数×フレーム数が多すぎます！</source>
        <translation>Too many poses: the models times the frames are too many.</translation>
    </message>
    <message>
        <source>材質が多すぎます！</source>
        <translation>Too many materials.</translation>
    </message>
    <message>
        <source>文字のポリゴン数が多すぎます！</source>
        <translation>The text would have too many polygons.</translation>
    </message>
    <message>
        <source>ファイル名が正しくありません。</source>
        <translation>The file name is not valid.</translation>
    </message>
    <message>
        <source>ドキュメントを開くことに失敗しました。</source>
        <translation>Failed to open the document.</translation>
    </message>
    <message>
        <source>ドキュメントの保存に失敗しました。</source>
        <translation>Failed to save the document.</translation>
    </message>
    <message>
        <source>予期しないファイル形式です。</source>
        <translation>Unexpected file format.</translation>
    </message>
    <message>
        <source>%1 へのアクセス中に不明なエラーが発生しました。</source>
        <translation>An unknown error occurred while accessing %1.</translation>
    </message>
    <message>
        <source>%1 が見つかりませんでした。</source>
        <translation>%1 was not found.</translation>
    </message>
    <message>
        <source>%1 に正しくないパスが含まれています。</source>
        <translation>%1 contains a path that is not valid.</translation>
    </message>
    <message>
        <source>開いているファイルが多すぎるため、%1 を開けませんでした。</source>
        <translation>%1 could not be opened: too many files are open.</translation>
    </message>
    <message>
        <source>%1 へのアクセスは拒否されました。</source>
        <translation>Access to %1 was denied.</translation>
    </message>
    <message>
        <source>正しくないファイル ハンドルが %1 に関連付けられていました。</source>
        <translation>A file handle that is not valid was linked to %1.</translation>
    </message>
    <message>
        <source>現在のディレクトリ %1 は削除できませんでした。</source>
        <translation>The current folder %1 could not be removed.</translation>
    </message>
    <message>
        <source>%1 を作成できませんでした。そのディレクトリはいっぱいです。</source>
        <translation>%1 could not be created: the folder is full.</translation>
    </message>
    <message>
        <source>%1 のシークに失敗しました。</source>
        <translation>Seeking in %1 failed.</translation>
    </message>
    <message>
        <source>%1 へのアクセス中にハードウェア I/O エラーが報告されました。</source>
        <translation>A hardware I/O error was reported while accessing %1.</translation>
    </message>
    <message>
        <source>%1 へのアクセス中に共有違反が発生しました。</source>
        <translation>A sharing violation occurred while accessing %1.</translation>
    </message>
    <message>
        <source>%1 へのアクセス中にロック違反が発生しました。</source>
        <translation>A lock violation occurred while accessing %1.</translation>
    </message>
    <message>
        <source>%1 へのアクセス中にディスクがいっぱいになりました。</source>
        <translation>The disk became full while accessing %1.</translation>
    </message>
    <message>
        <source>%1 の末尾以降にアクセスしようとしました。</source>
        <translation>An attempt was made to read past the end of %1.</translation>
    </message>
    <message>
        <source>レジストリを削除しました。</source>
        <translation>The file type registration was removed.</translation>
    </message>
    <message>
        <source>リサイズに失敗しました。</source>
        <translation>Resizing failed.</translation>
    </message>
</context>
<context>
    <name>TextPreviewWidget</name>
    <message>
        <source>3D 表示を使えません（OpenGL 3.3 が必要です）。
%1</source>
        <translation>The 3D view is not available (OpenGL 3.3 is needed).
%1</translation>
    </message>
</context>
<context>
    <name>Toolbars</name>
    <message>
        <source>新規</source>
        <translation>New</translation>
    </message>
    <message>
        <source>開く</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>ﾌｫﾝﾄ</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>中心</source>
        <translation>Aim</translation>
    </message>
    <message>
        <source>移動</source>
        <translation>Move</translation>
    </message>
    <message>
        <source>回転</source>
        <translation>Rotate</translation>
    </message>
    <message>
        <source>拡大</source>
        <translation>Scale</translation>
    </message>
    <message>
        <source>陰影</source>
        <translation>Shade</translation>
    </message>
    <message>
        <source>最初</source>
        <translation>First</translation>
    </message>
    <message>
        <source>前ｷｰ</source>
        <translation>&lt;Key</translation>
    </message>
    <message>
        <source>前</source>
        <translation>Prev</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>再生</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>次</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>次ｷｰ</source>
        <translation>Key&gt;</translation>
    </message>
    <message>
        <source>最後</source>
        <translation>Last</translation>
    </message>
    <message>
        <source>ｷｰ</source>
        <translation>Key</translation>
    </message>
    <message>
        <source>追加</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>全追</source>
        <translation>Add All</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>全削</source>
        <translation>Del All</translation>
    </message>
    <message>
        <source>挿入</source>
        <translation>Insert</translation>
    </message>
</context>
<context>
    <name>ViewportPane</name>
    <message>
        <source>3D 表示を使えません（OpenGL 3.3 が必要です）。
%1</source>
        <translation>The 3D view is not available (OpenGL 3.3 is needed).
%1</translation>
    </message>
</context>
<context>
    <name>qv::ui::CreateTextDialog</name>
    <message>
        <source>3D文字作成</source>
        <translation>Create 3D Text</translation>
    </message>
    <message>
        <source>0 でベベルなし</source>
        <translation>0 for no bevel</translation>
    </message>
    <message>
        <source>丸み</source>
        <translation>Round</translation>
    </message>
    <message>
        <source>面取り</source>
        <translation>Chamfer</translation>
    </message>
    <message>
        <source>文字の間に足す幅（フォントサイズの 1/1000 単位）</source>
        <translation>Space added between characters (thousandths of the font size)</translation>
    </message>
    <message>
        <source>フォント</source>
        <translation>Font</translation>
    </message>
    <message>
        <source>テキスト</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>分割数</source>
        <translation>Subdivisions</translation>
    </message>
    <message>
        <source>フォントサイズ</source>
        <translation>Font size</translation>
    </message>
    <message>
        <source>厚み</source>
        <translation>Thickness</translation>
    </message>
    <message>
        <source>ウェイト</source>
        <translation>Weight</translation>
    </message>
    <message>
        <source>ベベル幅</source>
        <translation>Bevel width</translation>
    </message>
    <message>
        <source>ベベル深さ</source>
        <translation>Bevel depth</translation>
    </message>
    <message>
        <source>ベベル分割数</source>
        <translation>Bevel steps</translation>
    </message>
    <message>
        <source>ベベル形状</source>
        <translation>Bevel shape</translation>
    </message>
    <message>
        <source>カーニング</source>
        <translation>Kerning</translation>
    </message>
    <message>
        <source>トラッキング</source>
        <translation>Tracking</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>3D 表示を使えません（OpenGL 3.3 が必要です）。
%1</source>
        <translation>The 3D view is not available (OpenGL 3.3 is needed).
%1</translation>
    </message>
</context>
<context>
    <name>qv::ui::DeleteFramesDialog</name>
    <message>
        <source>ﾌﾚｰﾑの削除</source>
        <translation>Delete Frames</translation>
    </message>
    <message>
        <source>始点</source>
        <translation>First</translation>
    </message>
    <message>
        <source>終点</source>
        <translation>Last</translation>
    </message>
    <message>
        <source>～</source>
        <translation>to</translation>
    </message>
    <message>
        <source>ﾌﾚｰﾑを削除</source>
        <translation>frames deleted</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>qv::ui::InsertFramesDialog</name>
    <message>
        <source>ﾌﾚｰﾑの挿入</source>
        <translation>Insert Frames</translation>
    </message>
    <message>
        <source>ﾌﾚｰﾑ目の後ろに</source>
        <translation>after this frame,</translation>
    </message>
    <message>
        <source>ﾌﾚｰﾑ追加</source>
        <translation>frames added</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>qv::ui::KeyFrameDialog</name>
    <message>
        <source>ﾓﾃﾞﾙのｷｰﾌﾚｰﾑの追加・削除</source>
        <translation>Add or Delete Key Frames of Models</translation>
    </message>
    <message>
        <source>ﾌﾚｰﾑ</source>
        <translation>frame</translation>
    </message>
    <message>
        <source>選択中のﾓﾃﾞﾙのｷｰﾌﾚｰﾑを追加</source>
        <translation>Add a key frame to the selected model</translation>
    </message>
    <message>
        <source>全てのﾓﾃﾞﾙのｷｰﾌﾚｰﾑを追加</source>
        <translation>Add key frames to all models</translation>
    </message>
    <message>
        <source>選択中のﾓﾃﾞﾙのｷｰﾌﾚｰﾑを削除</source>
        <translation>Delete the selected model&apos;s key frame</translation>
    </message>
    <message>
        <source>全てのﾓﾃﾞﾙのｷｰﾌﾚｰﾑを削除</source>
        <translation>Delete all models&apos; key frames</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>qv::ui::MaterialDialog</name>
    <message>
        <source>材質設定</source>
        <translation>Material</translation>
    </message>
    <message>
        <source>赤</source>
        <translation>Red</translation>
    </message>
    <message>
        <source>緑</source>
        <translation>Green</translation>
    </message>
    <message>
        <source>青</source>
        <translation>Blue</translation>
    </message>
    <message>
        <source>不透明度</source>
        <translation>Opacity</translation>
    </message>
    <message>
        <source>拡散光</source>
        <translation>Diffuse</translation>
    </message>
    <message>
        <source>自己照明</source>
        <translation>Emissive</translation>
    </message>
    <message>
        <source>反射光</source>
        <translation>Specular</translation>
    </message>
    <message>
        <source>反射の強さ</source>
        <translation>Specular power</translation>
    </message>
    <message>
        <source>周囲光</source>
        <translation>Ambient</translation>
    </message>
    <message>
        <source>名前</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>ﾃｸｽﾁｬ</source>
        <translation>Texture</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>全ての形式 (*.bmp *.jpg *.jpeg *.tga *.png *.iff *.ppm)</source>
        <translation>All image files (*.bmp *.jpg *.jpeg *.tga *.png *.iff *.ppm)</translation>
    </message>
</context>
<context>
    <name>qv::ui::MaterialListPane</name>
    <message>
        <source>ﾏﾃﾘｱﾙ</source>
        <translation>Material</translation>
    </message>
    <message>
        <source>ﾏﾃﾘｱﾙ名</source>
        <translation>Material</translation>
    </message>
    <message>
        <source>色</source>
        <translation>Color</translation>
    </message>
    <message>
        <source>色(&amp;C)</source>
        <translation>&amp;Color...</translation>
    </message>
    <message>
        <source>名前変更(&amp;R)</source>
        <translation>&amp;Rename</translation>
    </message>
    <message>
        <source>削除(&amp;D)</source>
        <translation>&amp;Delete</translation>
    </message>
</context>
<context>
    <name>qv::ui::ModelTreePane</name>
    <message>
        <source>ﾓﾃﾞﾙ</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>ﾓﾃﾞﾙ追加(&amp;A)</source>
        <translation>&amp;Add Model...</translation>
    </message>
    <message>
        <source>ﾓﾃﾞﾙ削除(&amp;D)</source>
        <translation>&amp;Delete Model</translation>
    </message>
    <message>
        <source>名前変更(&amp;C)</source>
        <translation>Re&amp;name</translation>
    </message>
    <message>
        <source>表示・非表示(&amp;V)</source>
        <translation>&amp;Show or Hide</translation>
    </message>
    <message>
        <source>ﾓﾃﾞﾙ追加</source>
        <translation>Add Model</translation>
    </message>
    <message>
        <source>Metasequoiaファイル (*.mqo)</source>
        <translation>Metasequoia files (*.mqo)</translation>
    </message>
</context>
<context>
    <name>qv::ui::MovieOptionsDialog</name>
    <message>
        <source>%1 の設定</source>
        <translation>%1 Options</translation>
    </message>
    <message>
        <source>背景を透明にする</source>
        <translation>Transparent background</translation>
    </message>
    <message>
        <source>幅</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>高さ</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>最初のﾌﾚｰﾑ</source>
        <translation>First frame</translation>
    </message>
    <message>
        <source>最後のﾌﾚｰﾑ</source>
        <translation>Last frame</translation>
    </message>
    <message>
        <source>繰り返し回数</source>
        <translation>Repeats</translation>
    </message>
    <message>
        <source>再生回数 (0 = 無限)</source>
        <translation>Plays (0 = forever)</translation>
    </message>
    <message>
        <source>ｽｰﾊﾟｰｻﾝﾌﾟﾘﾝｸﾞ (1～4)</source>
        <translation>Supersampling (1 to 4)</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>qv::ui::QtFileExport</name>
    <message>
        <source>動画を書き出しています...</source>
        <translation>Writing the movie...</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>ﾌﾚｰﾑ %1 / %2</source>
        <translation>Frame %1 of %2</translation>
    </message>
    <message>
        <source>中止しています...</source>
        <translation>Stopping...</translation>
    </message>
    <message>
        <source>%1 に書き出しました</source>
        <translation>Written to %1</translation>
    </message>
    <message>
        <source>%1 に書き出しました。</source>
        <translation>Written to %1.</translation>
    </message>
    <message>
        <source>開く</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>フォルダーを開く</source>
        <translation>Open Folder</translation>
    </message>
</context>
<context>
    <name>qv::ui::QtInteraction</name>
    <message>
        <source>Quorvel Logo ﾌｧｲﾙ(*.qvlogo)</source>
        <translation>Quorvel Logo document (*.qvlogo)</translation>
    </message>
    <message>
        <source>Quorvel Logoファイル(*.qvlogo)</source>
        <translation>Quorvel Logo documents (*.qvlogo)</translation>
    </message>
    <message>
        <source>Metasequoiaファイル(*.mqo)</source>
        <translation>Metasequoia files (*.mqo)</translation>
    </message>
    <message>
        <source>WebGL ﾌｧｲﾙ(*.html)</source>
        <translation>WebGL page (*.html)</translation>
    </message>
    <message>
        <source>WebGPUファイル(*.html)</source>
        <translation>WebGPU page (*.html)</translation>
    </message>
    <message>
        <source>glTF ﾊﾞｲﾅﾘ(*.glb)</source>
        <translation>glTF binary (*.glb)</translation>
    </message>
    <message>
        <source>glTF(*.gltf)</source>
        <translation>glTF (*.gltf)</translation>
    </message>
    <message>
        <source>MP4 動画(*.mp4)</source>
        <translation>MP4 video (*.mp4)</translation>
    </message>
    <message>
        <source>WebM 動画(*.webm)</source>
        <translation>WebM video (*.webm)</translation>
    </message>
    <message>
        <source>GIF ｱﾆﾒｰｼｮﾝ(*.gif)</source>
        <translation>GIF animation (*.gif)</translation>
    </message>
    <message>
        <source>ｱﾆﾒｰｼｮﾝ PNG(*.png)</source>
        <translation>Animated PNG (*.png)</translation>
    </message>
    <message>
        <source>ｱﾆﾒｰｼｮﾝ WebP(*.webp)</source>
        <translation>Animated WebP (*.webp)</translation>
    </message>
    <message>
        <source>%1 への変更を保存しますか?</source>
        <translation>Save changes to %1?</translation>
    </message>
    <message>
        <source>はい(&amp;Y)</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>いいえ(&amp;N)</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Webページを書き出しました: %1</source>
        <translation>Web page written: %1</translation>
    </message>
    <message>
        <source>Webページを書き出しました。
%1

既定のブラウザで開きますか?</source>
        <translation>Web page written.
%1

Open it in the default browser?</translation>
    </message>
</context>
<context>
    <name>qv::ui::SettingsDialog</name>
    <message>
        <source>設定</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>システム</source>
        <translation>System</translation>
    </message>
    <message>
        <source>次の起動から使われます</source>
        <translation>Used from the next start</translation>
    </message>
    <message>
        <source>Canvas幅</source>
        <translation>Canvas width</translation>
    </message>
    <message>
        <source>Canvas高さ</source>
        <translation>Canvas height</translation>
    </message>
    <message>
        <source>視野角</source>
        <translation>Field of view</translation>
    </message>
    <message>
        <source>スムージング角度</source>
        <translation>Smoothing angle</translation>
    </message>
    <message>
        <source>言語</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
</TS>
