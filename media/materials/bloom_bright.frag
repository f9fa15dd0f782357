#version 120
// Keeps only the bright parts of the scene while shrinking it to a quarter:
// four bilinear taps one texel off centre average a 4 x 4 block, so small
// highlights neither flicker nor vanish.
uniform sampler2D scene;
uniform vec4 texel;
uniform float threshold;
varying vec2 uv;

void main()
{
    vec3 c = texture2D(scene, uv + texel.xy * vec2(-1.0, -1.0)).rgb
           + texture2D(scene, uv + texel.xy * vec2(1.0, -1.0)).rgb
           + texture2D(scene, uv + texel.xy * vec2(-1.0, 1.0)).rgb
           + texture2D(scene, uv + texel.xy * vec2(1.0, 1.0)).rgb;
    c *= 0.25;
    float luma = dot(c, vec3(0.299, 0.587, 0.114));
    // A soft knee rather than a hard cut, so the glow fades in.
    float keep = smoothstep(threshold, threshold + 0.2, luma);
    gl_FragColor = vec4(c * keep, 1.0);
}
