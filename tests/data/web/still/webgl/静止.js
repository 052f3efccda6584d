document.write('<canvas id="Orvakis3D-Canvas" width="640" height="480"></canvas>');
document.write('<script type="text/javascript" src="webgl/Vector3D.js"></script>');
document.write('<script type="text/javascript" src="webgl/Matrix3D.js"></script>');
document.write('<script type="text/javascript" src="webgl/GLSL.js"></script>');
document.write('<script type="text/javascript" src="webgl/Orvakis3D.js"></script>');
document.write('<script type="text/javascript" src="webgl/Model3D.js"></script>');
document.write('<script type="text/javascript" src="webgl/BoneModel3D.js"></script>');
document.write('<script type="text/javascript" src="webgl/Material.js"></script>');
document.write('<script type="text/javascript" src="webgl/Model_静止.js"></script>');
document.write('<script>initWebGL();</script>');
var _model;
function beginWebGL(){
	_fov = 25.000000;
	_model = new Model_静止();
}

function drawWebGL(){
	_eye = new Vector3D(0.000000, 388.228577, 1448.888794);
	_lookAt = new Vector3D(0.000000, 362.346680, 1352.296265);
	_mvMatrix.lookAtCamera(_eye, _lookAt, new Vector3D(0, 1, 0));
	_model.draw();
}

function onMouseDown(event){}

function onMouseUp(event){}

function onMouseMove(event){}

function onKeyDown(event){}

function onKeyUp(event){}
