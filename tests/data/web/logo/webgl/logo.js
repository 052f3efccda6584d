document.write('<canvas id="Orvakis3D-Canvas" width="800" height="600"></canvas>');
document.write('<script type="text/javascript" src="webgl/Vector3D.js"></script>');
document.write('<script type="text/javascript" src="webgl/Matrix3D.js"></script>');
document.write('<script type="text/javascript" src="webgl/GLSL.js"></script>');
document.write('<script type="text/javascript" src="webgl/Orvakis3D.js"></script>');
document.write('<script type="text/javascript" src="webgl/Model3D.js"></script>');
document.write('<script type="text/javascript" src="webgl/BoneModel3D.js"></script>');
document.write('<script type="text/javascript" src="webgl/Material.js"></script>');
document.write('<script type="text/javascript" src="webgl/Model_logo.js"></script>');
document.write('<script>initWebGL();</script>');
var _model;
function beginWebGL(){
	_fov = 20.000000;
	_model = new Model_logo();
}

function drawWebGL(){
	_eye = new Vector3D(-244.763885, 513.030212, 1388.125000);
	_lookAt = new Vector3D(-227.399063, 479.347809, 1295.583374);
	_mvMatrix.lookAtCamera(_eye, _lookAt, new Vector3D(0, 1, 0));
	_model.draw();
}

function onMouseDown(event){}

function onMouseUp(event){}

function onMouseMove(event){}

function onKeyDown(event){}

function onKeyUp(event){}
