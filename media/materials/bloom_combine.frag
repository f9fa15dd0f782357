#version 120
// Adds the blurred highlights back onto the scene. A screen-style add keeps
// already bright areas from clipping to flat white.
uniform sampler2D scene;
uniform sampler2D glow;
uniform float strength;
varying vec2 uv;

void main()
{
    vec3 base = texture2D(scene, uv).rgb;
    vec3 add = texture2D(glow, uv).rgb * strength;
    gl_FragColor = vec4(base + add * (vec3(1.0) - base), 1.0);
}
